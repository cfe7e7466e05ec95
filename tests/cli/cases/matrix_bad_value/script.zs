matrix 2 2 A
1 2
3 4
matrix 2 2 B
1 2
3 1/0
matrices
