# The two matrices of the example file, as the selection list and in full.
read example.dat
matrices
dump 1
dump 2
