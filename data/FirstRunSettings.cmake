# -DINI=<program folder>/zemblo.ini: a program folder without settings gets a settings file
# that asks for the first-run unpacking of the samples; an existing one is left alone.
if(NOT EXISTS "${INI}")
  file(WRITE "${INI}" "[Init]\r\nRequires=1\r\n\r\n")
endif()
