# the last row is missing
matrix 3 1 A
1
2
