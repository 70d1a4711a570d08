// %%States with push and pop flags, and %%Containers. A change value is a
// whole expression ("+3 -1" adds state 2), so changes that follow one
// another are written as sets.
%%States
  1 ( +[1] -[0] )
  2 push ( +[2 3] )
  3 pop ( -2 )
  4 ( +5 ) push
  5 push ( +[6] -[1 2] ) pop
  6 ()
  8 ( +3 -1 )
%%Containers
  7 ( +[8] -[0] )
%%states 1 ( +9 )
