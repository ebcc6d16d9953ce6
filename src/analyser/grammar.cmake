# The analysis lexer (flex) and the declaration grammar (bison), generated
# into the build tree and never committed, with the hand-written parts that
# drive them.
set(declaration_grammar_dir ${CMAKE_CURRENT_BINARY_DIR}/declaration_grammar)
file(MAKE_DIRECTORY ${declaration_grammar_dir})
bison_target(declaration_grammar ${CMAKE_CURRENT_SOURCE_DIR}/declaration_grammar.y
             ${declaration_grammar_dir}/declaration_grammar.cpp
             DEFINES_FILE ${declaration_grammar_dir}/declaration_grammar.hpp
             COMPILE_FLAGS "-Wall")
flex_target(analysis_lexer ${CMAKE_CURRENT_SOURCE_DIR}/analysis_lexer.l
            ${declaration_grammar_dir}/analysis_lexer.cpp)
add_flex_bison_dependency(analysis_lexer declaration_grammar)
# The library is defined in the top directory, which does not see this
# directory's custom commands: a target here runs flex and bison first.
add_custom_target(declaration_grammar_generated DEPENDS ${BISON_declaration_grammar_OUTPUTS}
                  ${FLEX_analysis_lexer_OUTPUTS})
add_dependencies(morva declaration_grammar_generated)
# flex's skeleton compares signed and unsigned sizes; the property is set
# where the library lives, since source properties are per directory.
set_source_files_properties(${FLEX_analysis_lexer_OUTPUTS} DIRECTORY ${PROJECT_SOURCE_DIR}
                            PROPERTIES COMPILE_OPTIONS "-Wno-sign-compare")
target_sources(morva PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/analysis_lexer.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/declaration_actions.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/analyse_declarations.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/template_declaration.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/template_instance.cpp
  ${BISON_declaration_grammar_OUTPUTS}
  ${FLEX_analysis_lexer_OUTPUTS})
target_include_directories(morva PRIVATE ${declaration_grammar_dir})
