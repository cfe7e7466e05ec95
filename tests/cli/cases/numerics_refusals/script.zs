read refusals.dat
invert 1
invert 2
invert 3
invert 4
cholesky 5
cholesky 8
invert 8
solve 6 7
solve 6 8
add 9 9
multiply 8 8
subtract 8 1
scale 9 10
# a first pick of 0 ends the command
add 0 1
matrices
