// %%KwTables: raw words and follow texts, replacing a table of the same
// states, and the case flag in force.
%%Language case = __sensitive
%%KwTables
  forstate [] endswith '[^a-z]' ( 40 is 'Abs', 'Sqr' 41 is 'Inc\t' )
  forstate [1, 2] endswith '' ( 42 is 'x' )
  forstate [2 1] endswith '' ( 43 is 'y', 'z' )
  forstate [3] endswith '\s' ( )
