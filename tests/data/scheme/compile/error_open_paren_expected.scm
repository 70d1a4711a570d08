// Fails: open paren expected.
%%States
  1 +1
