matrix 1 1 M1
1
matrix 1 1 M2
2
matrix 1 1 M3
3
matrix 1 1 M4
4
matrix 1 1 M5
5
matrix 1 1 M6
6
matrix 1 1 M7
7
matrix 1 1 M8
8
matrix 1 1 M9
9
matrix 1 1 M10
10
matrix 1 1 M11
11
matrix 1 1 M12
12
matrix 1 1 M13
13
matrix 1 1 M14
14
matrix 1 1 M15
15
matrix 1 1 M16
16
matrix 1 1 M17
17
matrix 1 1 M18
18
matrix 1 1 M19
19
matrix 1 1 M20
20
matrix 2 2 one too many
1 2
3 4
matrices
erase 20
matrix 1 2 room again
5 6
matrices
