read worked.dat
invert 3
dump 6
invert 4
dump 7
cholesky 1
dump 8
cholesky 5
dump 9
# the decomposed matrix, then the constant column
solve 8 2
dump 10
scale 1  3 
scale 1 2,5
dump 11
scale 1 abc
transpose 1
dump 12
multiply 1 2
dump 13
add 1 2
subtract 1 1
dump 14
rename 1 ABCDEFGHIJKLMNOPQRST
add 1 1
dump 15
matrices
