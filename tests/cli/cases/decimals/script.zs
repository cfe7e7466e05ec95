read dec.dat
# five decimals at start
view 1
decimals 0
view 1
# refused: the places stay at 0
decimals
decimals -1
decimals 100
view 1
decimals 7
view 1
