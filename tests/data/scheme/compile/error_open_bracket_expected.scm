// Fails: open bracket expected.
%%Effects
  1 fsBold clRed clWhite
