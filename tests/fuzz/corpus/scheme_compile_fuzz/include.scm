// #include <...> from the script's folder, macros and conditionals.
#include <include_colours.inc>
#define KEYWORD 1
#ifndef MISSING
%%Effects KEYWORD [fsBold] INK PAPER
#else
%%Effects KEYWORD [] 0 0
#endif
%%Map 1 KEYWORD
