// A small but complete scheme: every section once.
#define KEYWORD 1
#define COMMENT 2
#define STRING 3
%%Language
  Name = 'Mini Pascal'
  Case = __insensitive
  Options = __DEFAULT_OPTIONS
  EditableStyles ('Reserved word', KEYWORD), ('Comment', COMMENT), ('String', STRING)
  StartState = [0]
  Anchor = [0]
  ContextStates = (COMMENT [1])
%%Words
  'begin' '[^a-z0-9_]' KEYWORD
  'end'   '[^a-z0-9_]' KEYWORD
  '//'    ''           COMMENT
%%Handlers
  COMMENT _ORIGINAL_CHAR
%%Tokens
  4 __STD_IDENTIFIER
  5 __STD_NUMBER_OR_FP
  STRING '\'' _PASCAL_CHAR * '\'' 1
  COMMENT '{' '[^}]' * '}' 1
  InState 1 ( 6 '[^}]' '[^}]' * '}' 1 )
%%States
  COMMENT push ( +[1] -[0] )
  6 pop ()
%%Containers
  7 ( +2 )
%%Map
  KEYWORD 1
  COMMENT 2
  STRING 3
%%Effects
  1 [fsBold] clBlack clWhite *
  2 [fsItalic] clNavy clWhite *
  3 [] clMaroon clWhite * 'hotspot'
%%KwTables
  forstate [] endswith '[^a-z]' ( 8 is 'writeln', 'readln' )
%%Keys
  caCUT ( [ctrl] 'X' | [shift] DELETE ) 'Cut'
  caCOPY ( [ctrl] 'C' ) 'Copy'
  caPASTE ( [ctrl] 'V' ) 'Paste'
%%AutoReplace
  'teh' = 'the'
%%Templates
  'beg' ('begin end') = 'begin\n  |\nend;'
