read values.dat
write out.dat
read out.dat
dump 1
