read one.dat
copy 1
copy 1
copy 1
copy 1
copy 1
copy 1
copy 1
copy 1
copy 1
copy 1
copy 1
copy 1
copy 1
copy 1
copy 1
copy 1
copy 1
copy 1
# 19 matrices: every operation but Scale refuses
transpose 1
add 1 1
subtract 1 1
multiply 1 1
invert 1
cholesky 1
solve 1 1
copy 1
scale 1 2
dump 20
# 20 matrices: Scale refuses too
scale 1 2
