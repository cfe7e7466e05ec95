read exact.dat
# exact results, rounded to the nearest double only when stored
det 1
rank 2
rref 3
det 5
dump 7
dump 8
dump 9
dump 10
# refused, and nothing added
det 3
det 4
rref 6
# nothing chosen
det 0
matrices
# the limit of 19 matrices holds
copy 1
copy 1
copy 1
copy 1
copy 1
copy 1
copy 1
copy 1
copy 1
rank 1
matrices
