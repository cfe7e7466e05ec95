# LU, cofactors, adjugate, Cramer's rule, powers and the trace, exactly
matrix 3 3 A
0 2 1
1 1 1
2 0 3
matrix 3 1 b
1
2
3
matrix 3 3 S
1 2 3
4 5 6
7 8 9
matrix 2 3 R
1 2 3
2 4 7
lu 4
cofactordet 3
adjugate 3
cramer 3 2
cramer 1 4
power 4 2
power 1 1e2
power 3 -1
power 0 x
trace 4
working on
lu 1
cofactordet 1
adjugate 1
cramer 1 2
power 1 3
power 1 -2
power 1 0
trace 1
matrix 6 6 Six
1 0 0 0 0 0
0 1 0 0 0 0
0 0 1 0 0 0
0 0 0 1 0 0
0 0 0 0 1 0
0 0 0 0 0 1
cofactordet 20
lu 1
matrices
dump 5
dump 11
