// %%Tokens: standard kinds, class bodies with terminators, routines,
// match, extra states, and InState groups.
%%Tokens
  10 __STD_IDENTIFIER
  11 __STD_NUMBER_OR_FP [3]
  12 '\'' _PASCAL_CHAR * '\'' 1
  13 '"' '[^"]' * '\\"' 1 [2]
  14 '#' match(3)
  15 '{' '[^}]' * '}' 1
  16 '(' '[^*]' * '*)' 1
  17 '[<>]' 0 * 0 0
  InState 2 (
    20 '[a-c]' '[a-z]' * '[^a-z]' 0
    21 '\x80-\xff' 1 '[^\x80-\xff]' 0 [3]
  )
%%tokens
  InState 4 ( 22 __STD_MAIL_URL )
