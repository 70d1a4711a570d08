{ Sorts a string list without regard to letter case. TStringList.Sort
  compares with AnsiCompareText already; CustomSort allows any order. }
function CompareWithoutCase(List: TStringList; Index1, Index2: Integer): Integer;
begin
  Result := AnsiCompareText(List[Index1], List[Index2]);
end;

procedure SortWithoutCase(List: TStringList);
begin
  List.CustomSort(CompareWithoutCase);
end;
