// Fails: max four specs.
%%Handlers
  1 'a' 'abcde' 1
