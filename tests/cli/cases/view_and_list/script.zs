read worked.dat
decimals 2
view 1
list answers 1
# a cancelled selection still leaves the header
list cancelled.out
