# The expression parser: a reentrant flex scanner and a pure bison grammar,
# with the hand-written parts around them.
morva_flex_bison(expression_grammar expression_grammar expression_lexer)
target_sources(morva PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/expression_parser.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/char_literal.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/expression_type.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/expression_image.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/constant_value.cpp)
