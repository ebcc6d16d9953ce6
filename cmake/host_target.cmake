# Writes the standard-definitions file of the host target from what the C
# compiler says about itself, so that morvastart reads the system headers as
# that compiler does, on its strict ANSI paths:
#   - its <...> include search list, from "-E -v" on an empty input;
#   - its predefined macros, from "-dM -E", sorted by name and filtered: the
#     ones that announce the compiler (GNU C) or features the analyser has no
#     model for are left out, each group with its reason in the file;
#   - the integer sizes and the sign of plain char, from __SIZEOF_*__,
#     __CHAR_BIT__ and __CHAR_UNSIGNED__ among those macros.
# The template holds the fixed text and comments; this script fills its
# @...@ fields. Run as:
#   cmake -DCOMPILER=<cc> -DTEMPLATE=<knus_c.def.in> -DOUTPUT=<knus_c.def> -P host_target.cmake
cmake_minimum_required(VERSION 3.25)

foreach(required COMPILER TEMPLATE OUTPUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "host_target.cmake: -D${required}=... is missing")
  endif()
endforeach()

# run(<output variable> <stream> args...): runs the compiler on an empty C
# input and keeps stdout or stderr; a failing compiler stops the build.
function(run out stream)
  execute_process(COMMAND ${COMPILER} ${ARGN} -x c /dev/null
                  OUTPUT_VARIABLE stdout ERROR_VARIABLE stderr RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "host_target.cmake: ${COMPILER} ${ARGN} failed (${status}):\n${stderr}")
  endif()
  set(${out} "${${stream}}" PARENT_SCOPE)
endfunction()

# ---- Include search list ----
run(verbose stderr -E -v)
string(FIND "${verbose}" "#include <...> search starts here:" start)
string(FIND "${verbose}" "End of search list." stop)
if(start EQUAL -1 OR stop LESS start)
  message(FATAL_ERROR "host_target.cmake: no include search list in the output of ${COMPILER} -E -v")
endif()
string(SUBSTRING "${verbose}" ${start} ${stop}-${start} search)
string(REGEX MATCHALL "\n [^\n]+" search_lines "${search}")
set(directories "")
foreach(line ${search_lines})
  string(STRIP "${line}" dir)
  # Darwin marks framework folders; they hold no plain headers.
  if(dir MATCHES "\\(framework directory\\)$")
    continue()
  endif()
  get_filename_component(dir "${dir}" ABSOLUTE)
  list(APPEND directories "\"${dir}\"")
endforeach()
list(JOIN directories ", " INCLUDE_DIRS)

# ---- Predefined macros ----
run(predefined stdout -dM -E)
# A ";" would split the CMake list; no predefined macro has one, but keep
# any safe through a placeholder.
string(REPLACE ";" "@semicolon@" predefined "${predefined}")
string(REGEX MATCHALL "#define [^\n]*" definitions "${predefined}")
list(SORT definitions)

# Groups left out, in the order they are tested, with the reason written
# into the file. A name goes to the first group whose pattern it matches.
set(groups gnu codegen types isa own)
set(gnu_pattern "^(__GNUC.*|__GNUG__|__GCC_.*|__GXX_.*|__clang.*|__llvm__|__VERSION__)$")
set(gnu_reason "they announce GNU C: with them <sys/cdefs.h> and the compiler's headers take their extension paths (attributes, asm labels, built-in functions)")
set(codegen_pattern "^(__OPTIMIZE__|__OPTIMIZE_SIZE__|__NO_INLINE__|__pic__|__PIC__|__pie__|__PIE__|__ATOMIC_.*|__HAVE_SPECULATION_SAFE_VALUE|__PRAGMA_REDEFINE_EXTNAME|__SEG_FS|__SEG_GS|__REGISTER_PREFIX__|__USER_LABEL_PREFIX__)$")
set(codegen_reason "they describe code generation and built-in facilities, which declarations do not depend on")
set(types_pattern "^(__SIZEOF_INT128__|__SIZEOF_FLOAT80__|__SIZEOF_FLOAT128__|__(B?FLT(16|32|64|128|32X|64X|128X))_.*|__DEC(32|64|128)_.*|__DEC_EVAL_METHOD__|__DECIMAL_BID_FORMAT__)$")
set(types_reason "they offer types the analyser has no model for (128-bit integers, extended and decimal floating types), and code that tests them falls back to standard types")
set(isa_pattern "^__(MMX|SSE|AVX|FXSR|XSAVE|AES|PCLMUL|POPCNT|BMI|LZCNT|F16C|FMA|ADX|RDRND|RDSEED|SHA|VAES|VPCLMUL|GFNI|CX16|MOVBE|PRFCHW|ARM_NEON|ARM_FEATURE_|ALTIVEC|VSX).*$")
set(isa_reason "they announce instruction-set extensions, whose headers (<emmintrin.h> and the like) are built-in functions of the compiler")
set(own_pattern "^__STDC__$")
set(own_reason "morvastart predefines it itself")

set(TARGET_MACROS "")
foreach(group ${groups})
  set(${group}_names "")
endforeach()
set(values "")
foreach(definition ${definitions})
  string(REGEX MATCH "^#define ([A-Za-z_][A-Za-z0-9_]*)" _ "${definition}")
  set(name "${CMAKE_MATCH_1}")
  set(dropped FALSE)
  foreach(group ${groups})
    if(name MATCHES "${${group}_pattern}")
      list(APPEND ${group}_names "${name}")
      set(dropped TRUE)
      break()
    endif()
  endforeach()
  if(NOT dropped)
    string(REPLACE "@semicolon@" ";" definition "${definition}")
    string(APPEND TARGET_MACROS "${definition}\n")
  endif()
  # Object-like values, for the sizes below.
  if(definition MATCHES "^#define ([A-Za-z_][A-Za-z0-9_]*) (.*)$")
    set(value_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
  endif()
endforeach()

# wrapped(<out> words...): the words joined by blanks into lines of at most
# 76 characters, each after three blanks, as inside a C comment.
function(wrapped out)
  set(text "  ")
  set(line "")
  foreach(word ${ARGN})
    string(LENGTH "${line} ${word}" length)
    if(length GREATER 76 AND NOT line STREQUAL "")
      string(APPEND text "${line}\n  ")
      set(line "")
    endif()
    string(APPEND line " ${word}")
  endforeach()
  set(${out} "${text}${line}" PARENT_SCOPE)
endfunction()

set(DROPPED_MACROS "")
foreach(group ${groups})
  if(${group}_names)
    string(REPLACE " " ";" reason "Left out because ${${group}_reason}:")
    wrapped(reason ${reason})
    wrapped(names ${${group}_names})
    string(REGEX REPLACE "^  " "/*" reason "${reason}")
    string(APPEND DROPPED_MACROS "${reason}\n${names} */\n")
  endif()
endforeach()

# ---- Sizes ----
if(NOT DEFINED value___CHAR_BIT__)
  message(FATAL_ERROR "host_target.cmake: ${COMPILER} does not predefine __CHAR_BIT__")
endif()
set(SIZE_PRAGMAS "")
# type word in the pragma : the compiler's __SIZEOF_<name>__
foreach(pair short:SHORT int:INT long:LONG longlong:LONG_LONG float:FLOAT double:DOUBLE wchar_t:WCHAR_T)
  string(REPLACE ":" ";" pair "${pair}")
  list(GET pair 0 word)
  list(GET pair 1 macro)
  if(NOT DEFINED value___SIZEOF_${macro}__)
    message(FATAL_ERROR "host_target.cmake: ${COMPILER} does not predefine __SIZEOF_${macro}__")
  endif()
  math(EXPR bits "${value___SIZEOF_${macro}__} * ${value___CHAR_BIT__}")
  string(APPEND SIZE_PRAGMAS "#pragma morva sizeof ${word} = ${bits}\n")
endforeach()
string(PREPEND SIZE_PRAGMAS "#pragma morva sizeof char = ${value___CHAR_BIT__}\n")
if(DEFINED value___CHAR_UNSIGNED__)
  string(APPEND SIZE_PRAGMAS "#pragma morva signof char = unsigned")
else()
  string(APPEND SIZE_PRAGMAS "#pragma morva signof char = signed")
endif()

# ---- 128-bit integers ----
# glibc's <bits/link.h> names __int128_t, a typedef the compiler builds in
# when it has 128-bit integers.
set(INT128 "")
if(DEFINED value___SIZEOF_INT128__)
  math(EXPR bits "${value___SIZEOF_INT128__} * ${value___CHAR_BIT__}")
  set(INT128 "/* __int128_t and __uint128_t are typedefs built into the compiler (it
   predefines __SIZEOF_INT128__), which glibc's <bits/link.h> names: declared
   here on the longest standard integer, then sized to ${bits} bits. */
typedef long long __int128_t;
typedef unsigned long long __uint128_t;
#pragma morva sizeof __int128_t = ${bits}
#pragma morva sizeof __uint128_t = ${bits}
")
endif()

# ---- The file ----
execute_process(COMMAND ${COMPILER} --version OUTPUT_VARIABLE version ERROR_QUIET)
string(REGEX MATCH "^[^\n]*" COMPILER_VERSION "${version}")
set(COMPILER_COMMAND "${COMPILER}")
file(READ "${TEMPLATE}" template)
string(CONFIGURE "${template}" text @ONLY)
file(WRITE "${OUTPUT}" "${text}")
