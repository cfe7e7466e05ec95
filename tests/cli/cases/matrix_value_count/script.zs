matrix 2 3 A
1 2 3
4 5
