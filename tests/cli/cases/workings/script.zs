read system.dat
# off: nothing but the operations
invert 1
working on
invert 1
det 1
rank 1
rref 1
cholesky 1
solve 8 2
multiply 1 2
# the worked solutions that fail say why, after the operation's message
read refusals.dat
invert 1
det 1
rank 1
cholesky 2
solve 3 1
multiply 1 3
multiply 3 3
working off
multiply 3 3
matrices
