#!/bin/sh
# Runs ruvok once under valgrind memcheck on the given input.
# usage: memcheck.sh VALGRIND RUVOK INPUT STATUS
# INPUT is a printf format; STATUS is the exit status the run should have.
valgrind=$1 ruvok=$2 input=$3 want=$4

# shellcheck disable=SC2059
printf "$input" | "$valgrind" -q --error-exitcode=99 --leak-check=full \
	--errors-for-leak-kinds=definite,indirect "$ruvok" >/dev/null
got=$?
if [ "$got" -ne "$want" ]; then
	echo "exit status $got, expected $want (99 means memcheck found errors)"
	exit 1
fi
