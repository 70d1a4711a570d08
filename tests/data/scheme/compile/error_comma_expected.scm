// Fails: comma expected.
%%Language
  EditableStyles ('Comment' 1)
