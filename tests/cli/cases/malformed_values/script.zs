read values_range.dat
matrices
dump 1
read value_past_max.dat
matrices
dump 1
read values_nan.dat
matrices
dump 1
dump 2
read values_inf.dat
matrices
dump 1
read values_forms.dat
matrices
dump 1
read comma_row.dat
matrices
dump 1
read decimal_comma.dat
matrices
dump 1
dump 2
read short_row.dat
matrices
dump 1
