matrix 2
1 2
