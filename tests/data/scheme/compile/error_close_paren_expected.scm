// Fails: close paren expected.
%%Containers
  1 ( +1
%%Map 1 1
