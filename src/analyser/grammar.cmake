# The analysis lexer (flex) and the declaration grammar (bison), with the
# hand-written parts that drive them.
morva_flex_bison(declaration_grammar declaration_grammar analysis_lexer)
target_sources(morva PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/analysis_lexer.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/declaration_actions.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/analyse_declarations.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/template_declaration.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/template_instance.cpp)
