read five.dat
copy 0
copy 1
erase 2
rename 1 A name of twenty-five ch.
rename 3
matrices
dump 5
