<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
  <!-- English needs no translation, only the two forms of the texts that
       count something (%n). Kept by hand: add a message here for each new
       tr() with %n. -->
  <context>
    <name>CatalogueCommands</name>
    <message numerus="yes">
      <source>%n object(s) read</source>
      <translation>
        <numerusform>%n object read</numerusform>
        <numerusform>%n objects read</numerusform>
      </translation>
    </message>
  </context>
  <context>
    <name>Config</name>
    <message numerus="yes">
      <source>%n configuration(s) saved to %1.</source>
      <translation>
        <numerusform>%n configuration saved to %1.</numerusform>
        <numerusform>%n configurations saved to %1.</numerusform>
      </translation>
    </message>
  </context>
  <context>
    <name>Form1</name>
    <message numerus="yes">
      <source>No identification found: none of the %n candidate(s) was accepted.</source>
      <translation>
        <numerusform>No identification found: the %n candidate was not accepted.</numerusform>
        <numerusform>No identification found: none of the %n candidates was accepted.</numerusform>
      </translation>
    </message>
  </context>
  <context>
    <name>BlindSolveCommand</name>
    <message numerus="yes">
      <source>No solution within %1 s among %n index file(s) (%2).</source>
      <translation>
        <numerusform>No solution within %1 s with the %n index file (%2).</numerusform>
        <numerusform>No solution within %1 s among %n index files (%2).</numerusform>
      </translation>
    </message>
  </context>
</TS>
