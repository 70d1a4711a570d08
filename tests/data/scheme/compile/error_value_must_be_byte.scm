// Fails: value must be byte.
%%Language
  EditableStyles ('Comment', 256)
