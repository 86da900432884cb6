LABEL : start
COMMENT : skipped
REPEAT : 3
KEYBOARD : Return : KeyPress
ENDREPEAT
GOTO : start
