read one.dat
working on
fractions off please
view 1
