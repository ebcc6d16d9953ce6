#pragma morva incl_std "/opt/inc", /usr/x
#pragma morva incl_std
#pragma morva pragma "ANALYSIS ON" = "#pragma morva start_analyse"
#pragma morva stop_analyse
dropped text
#define DROPPED 1
#pragma ANALYSIS ON
#pragma morva sizeof(int) = 64
#pragma morva signof char = unsigned
#pragma morva type_modifier = far
#pragma morva type_modifier
#pragma morva foo
#pragma morva crc_justify
#pragma morva start
#pragma once
#warning a warning line
#error an error line
#line 100 "renamed.c"
__LINE__ __FILE__
#line 7
