read one.dat
fractions on
view 1
working maybe
view 1
