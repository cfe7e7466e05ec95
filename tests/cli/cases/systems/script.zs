# Linear systems and subspaces, exactly: one free variable, then none
matrix 2 3 A
1 2 -1
2 4 1
matrix 2 1 b
3
9
matrix 2 2 C
1/2 1
0.1 -0.3
matrix 2 1 d
1
0.4
system 1 2
system 3 4
null 1
colspace 1
rowspace 1
null 3
system 0
system 1 3
working on
system 1 2
system 3 4
null 1
colspace 1
rowspace 1
matrices
