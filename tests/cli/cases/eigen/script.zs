# Eigenvalues: exact where rational, radicals for a quadratic factor,
# certified decimals for a quintic, a complex pair, a defective matrix
matrix 2 2 S
2 1
1 2
matrix 3 3 A
2 0 0
1 2 -1
1 0 1
matrix 2 2 Q
1 1
1 0
matrix 2 2 J
2 1
0 2
matrix 5 5 C
0 0 0 0 1
1 0 0 0 1
0 1 0 0 0
0 0 1 0 0
0 0 0 1 0
matrix 2 3 N
1 2 3
4 5 6
working on
diagonalise 1
eigenvectors 2
eigenvalues 3
working off
diagonalise 4
eigenvalues 5
charpoly 5
eigenvectors 6
view 7
view 8
view 10
view 11
view 12
