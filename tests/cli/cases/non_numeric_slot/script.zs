read one.dat
copy first
