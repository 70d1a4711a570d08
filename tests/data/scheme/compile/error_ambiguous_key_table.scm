// Fails: ambiguous key table.
%%KwTables
  forstate [1 2] endswith '' ( 40 is 'a' )
  forstate [2 3] endswith '' ( 41 is 'b' )
