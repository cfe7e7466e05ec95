matrix 2 3 A name longer than twenty characters
 1/3	+0.5e1, -7/2 
1e-400 -0 12345678901234567890/10
matrix 1 1
1/3
matrix 1 2  two blanks
1 2
# comment lines after the rows are skipped as usual
matrices
dump 1
dump 2
