{ The index of Value in an ascending array, or -1 when it is not there. }
function BinarySearch(const Values: array of Integer; Value: Integer): Integer;
var
  Lo, Hi, Middle: Integer;
begin
  Lo := 0;
  Hi := High(Values);
  while Lo <= Hi do
  begin
    Middle := Lo + (Hi - Lo) div 2;
    if Values[Middle] < Value then
      Lo := Middle + 1
    else if Values[Middle] > Value then
      Hi := Middle - 1
    else
    begin
      Result := Middle;
      Exit;
    end;
  end;
  Result := -1;
end;
