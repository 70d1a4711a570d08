// %%Words with follow classes and state sets, and %%Handlers that read on
// after a word: a class body, a routine body, a match body.
%%Language case = __sensitive
%%Words
  'begin' '[^a-zA-Z0-9_]' 1
  'End'   ''              2 [0 1]
  'end'   ''              2 [2]
  '{'     ''              3
  '//'    ''              4
  'tab\t' '\s'            5
%%Handlers
  3 '[^}]' * '}' 1
  4 _ORIGINAL_CHAR
  5 match(7) *
