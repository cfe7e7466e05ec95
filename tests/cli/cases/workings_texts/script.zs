# The texts of the workings: values read by rounding, what the workspace
# stores, rounded numbers, swaps, long names and long numbers.
working on
decimals 0
# 6.0000000000001 is read as 6: singular for every exact command and Invert
matrix 2 2 A
1 2
3 6.0000000000001
invert 1
det 1
# exactly not positive definite, yet the floating-point factor is stored
matrix 2 2 P
1 3/7
3/7 9/49
cholesky 3
matrices
# a square root at 0 decimals, and a fraction divided
matrix 2 2 Q
2 3/7
3/7 1
cholesky 5
# one row swap
matrix 2 2 S
0 1
2 3
det 7
# a determinant beyond the double range
matrix 2 2 H
1e300 0
0 1e300
det 9
# results stored under names cut to 20
matrix 1 1 ABCDEFGHIJKLMNOPQRST
4
rank 10
# numbers of more than 60 digits are shortened
matrix 2 2 W
1.2345678901234567e-300 2
3 4.5678901234567891e300
rref 12
matrices
