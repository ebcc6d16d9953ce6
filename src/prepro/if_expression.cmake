# The #if expression evaluator: a bison grammar and its hand-written lexer.
morva_flex_bison(if_grammar if_grammar)
target_sources(morva PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/if_expression.cpp)
