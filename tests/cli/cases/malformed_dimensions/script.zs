read dim_51.dat
matrices
dump 1
read dim_51_cols.dat
matrices
read dim_negative.dat
matrices
read dim_255.dat
matrices
read dim_256.dat
matrices
dump 1
read dim_words.dat
matrices
dump 1
read dim_second_word.dat
matrices
dump 1
read dim_60_word.dat
matrices
read dim_hex.dat
matrices
dump 1
dump 2
read dim_float.dat
matrices
dump 1
read dim_comma_only.dat
matrices
dump 1
read dim_big_int.dat
matrices
dump 1
read dim_extra.dat
matrices
dump 1
read caret_split.dat
matrices
dump 1
read caret_wrap.dat
matrices
dump 1
