read binary.dat
matrices
dump 1
read nul.dat
matrices
dump 1
read nul_blank.dat
matrices
dump 1
read lone_cr.dat
matrices
dump 1
read ctrlz_between.dat
matrices
dump 1
read ctrlz_header.dat
matrices
read bom.dat
matrices
dump 1
read bom_no_header.dat
matrices
dump 1
read cr_only.dat
matrices
read mixed_endings.dat
matrices
dump 1
dump 2
read tabs.dat
matrices
dump 1
read control_chars.dat
matrices
dump 1
