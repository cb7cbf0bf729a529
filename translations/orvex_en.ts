<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>ArchiveScan</name>
    <message numerus="yes">
        <source>%n session file(s) indexed</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n new session(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>The scan was cancelled; it can be repeated.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The archive could not be written: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n not a session file</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n unreadable</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n damaged</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n without laps</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n symbolic-link loop(s)</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n with a name that is not valid UTF-8</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Skipped %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClubDatabase</name>
    <message>
        <source>The club database cannot be used: Qt&apos;s SQLite driver is not installed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The club database is busy (%1); names are not remembered this time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The club database was damaged: it was renamed %1 beside the new one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The club database %1 cannot be used (%2); names are not remembered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The club database was made by a newer version of the program: names are completed from it, but nothing is added to it and the archive is not used.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandTable</name>
    <message>
        <source>Open do&amp;wnload...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arc&amp;hive...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print S&amp;lips...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Laps CSV...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Laps CSV (*.csv)|*.csv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Results CSV...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Results CSV (*.csv)|*.csv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;DF...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Slips PDF...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stat&amp;istics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Drivers...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lap &amp;rules...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Race</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Results &amp;web page...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Score&amp;board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Publish on network...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print &amp;Results...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Results &amp;PDF...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Issue results...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Championship...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExtraBlock</name>
    <message>
        <source>the driver names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the lap corrections</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>other data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The driver names in this file could not be read; the laps are shown without them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lap corrections in this file could not be read; the laps are shown without them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some of the extra data in this file could not be read; the laps are shown without it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Some data in this file comes from a later version of ORVEX and is not shown here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is kept unchanged when the file is saved.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IssueMark</name>
    <message>
        <source>Provisional</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changed since issue %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Official (issue %1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QtHelpWindow</name>
    <message>
        <source>ORVEX Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SheetPainter</name>
    <message>
        <source>Page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Laps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Average</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best speed (km/h)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Penalty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Race time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best %1 consecutive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ranking: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Race</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vehicle: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DSQ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+1 lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+%1 laps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SlipPainter</name>
    <message>
        <source>No. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pos %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DSQ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not ranked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ranking: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Race</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best %1 consecutive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (lap %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gap to leader</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+1 lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+%1 laps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Average lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 km/h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Penalty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+%1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No laps recorded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>best</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>joined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>void</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Laps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Race time</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StandingsPainter</name>
    <message>
        <source>Provisional</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Official</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standings: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 · page %2 of %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No results yet.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (session missing)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Status</name>
    <message>
        <source>Download copy not saved: the disk is full (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download copy not saved: permission denied (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download copy not saved: the folder cannot be written (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download copy not saved: the disk is not available (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download copy not saved: input/output error (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download copy not saved: error%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download copy not saved: too many downloads within one second (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download copy not saved: %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 could not be written (error %2).
Nothing on disk has changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No section was chosen, so no PDF file was written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The slips could not be printed (error %1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The archive could not be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The archive could not be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The club database cannot be opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The club database is not open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The club database belongs to a newer version of the program and is not written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The names could not be remembered.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The points table has more than %1 entries: entry %2 (&quot;%3&quot;) is one too many.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entry %1 of the points table (&quot;%2&quot;) is negative; points are 0 or more.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entry %1 of the points table (&quot;%2&quot;) is not a whole number.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entry %1 of the points table (&quot;%2&quot;) is more than %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The club database could not store the championship.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The championship is no longer in the club database.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A championship named &quot;%1&quot; exists already.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A championship needs a name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The points table of &quot;%1&quot; in the club database is damaged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The session is no longer in the archive.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The club database refused the issue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The results sheet could not be printed (error %1).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WebPageExport</name>
    <message>
        <source>(none)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Results web page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standings of the &amp;championship:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Web page (*.html)|*.html</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmDrivers</name>
    <message>
        <source>The club&apos;s roster could not remember the names: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmExport</name>
    <message>
        <source>Print Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF file (*.pdf)|*.pdf</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>The desktop companion program of the ORVEX lap-timing device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A data file (.DAT) to open after start-up.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>orvex needs a graphical display (DISPLAY or WAYLAND_DISPLAY is not set).
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>orvex: only one data file can be opened at a time.
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::ArchiveSessionsModel</name>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drivers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::DesktopDevice</name>
    <message>
        <source>Laps that could not be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download abandoned: the answers were not lap records. The session is unchanged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download abandoned: the device stopped answering. The session is unchanged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloaded: %1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 driver</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 drivers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 laps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, %1 unreadable</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::DriverLapsModel</name>
    <message>
        <source>Lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>joined</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>void</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (rule)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (laps %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>suspect</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::LapChart</name>
    <message>
        <source>No laps selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Driver %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::RaceCommands</name>
    <message>
        <source>Join lap %1 of driver %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Void lap %1 of driver %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore lap %1 of driver %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Penalty for driver %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disqualify driver %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undisqualify driver %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ranking</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lap rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drivers&apos; names</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::ResultsModel</name>
    <message>
        <source>%1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Driver</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Laps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Average lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Penalty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Race time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best %1 consecutive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+1 lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>+%1 laps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DSQ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DSQ: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best speed (km/h)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::ResultsServer</name>
    <message>
        <source>Port %1 is in use by another program. Choose another port.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The results cannot be published on port %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a port from 1024 to 65535: the ports below 1024 belong to the system.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::frmAbout</name>
    <message>
        <source>About ORVEX</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::frmArchive</name>
    <message>
        <source>Archive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search track, vehicle, note, driver, date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>From</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sessions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First seen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Driver</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Laps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add &amp;folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Check files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The search could not be run: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file %1 is no longer there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove it from the archive?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The archive could not be checked; try again later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) of the archive are no longer there.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n session(s) have no file left. Remove them from the archive?</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>Ca&amp;ncel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file could not be removed from the archive: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The archive could not be changed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no track)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::frmChampionship</name>
    <message>
        <source>Championship</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;name...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Standings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R&amp;ounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Points and r&amp;ules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;DF...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;CSV...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Round</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>State</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unnamed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drivers are matched by name. A result without a name does not count: name it and issue the session again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add rounds...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove round</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Points for 1st, 2nd, 3rd... separated by blanks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Points by &amp;position:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fastest lap:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Taking part:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Took part, no posi&amp;tion:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drop the &amp;worst rounds:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Minimum rounds to be classified:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>R%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No championship yet: make one with New.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (a session missing)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (%1 sessions missing)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No rounds yet: add issued sessions on the Rounds tab.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No round has named results yet: issue the sessions.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Provisional (not issued)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changed since issue %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Official (issue %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, session missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New championship</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rename championship</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the championship &quot;%1&quot;? Its sessions stay in the archive.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standings Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF file (*.pdf)|*.pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV file (*.csv)|*.csv</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::frmChampionshipRounds</name>
    <message>
        <source>Add rounds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the issued sessions that are rounds:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Search track, vehicle, note, driver, date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drivers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>By</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::frmDesktop</name>
    <message>
        <source>The help file %1 cannot be opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download copied to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The archive could not note %1 (%2); the file is safe.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The archive was rebuilt from the download copies: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The archive cannot be used: the club database is not open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not an ORVEX session file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 already exists. Do you want to replace it ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Championships cannot be used: the club database is not open, or belongs to a newer version of the program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Issue %1 in the file, %2 in the club database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A session without laps has no results to issue.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The results cannot be issued: the club database is not open.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Issue the results of %1 as official?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The results could not be issued (%1); nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The results of %1 were issued as official: issue %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::frmDrivers</name>
    <message>
        <source>it has no driver number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>its number is not between 1 and 30</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it has no name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a quote in it is not closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file cannot be read as a list of names (it is binary, missing or larger than 2 MB)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drivers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Laps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV files (*.csv *.txt)|*.csv;*.txt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Names taken: %1. Rows skipped: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The first row skipped is line %1: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keep these names for the next session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear every name in the list?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::frmLapRules</name>
    <message>
        <source>Lap rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mi&amp;nimum lap:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ma&amp;ximum lap:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The minimum lap must be shorter than the maximum lap.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> % of the median lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Suspect &amp;below:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Suspect &amp;above:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Times as 1:24.53 or in seconds (85). A shorter lap is joined with the next;
a longer lap is void. Leave a box empty for no rule.
A lap far from the driver&apos;s median is only marked suspect.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a lap time. Type it as 1:24.53 or in seconds (85), or leave the box empty.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::frmPublish</name>
    <message>
        <source>Publish on network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phones and computers on this network can read the results while publishing is on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(none)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Championship:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Requests served: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Publishing is off.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open %1 on a phone or a computer of this network.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::frmResults</name>
    <message>
        <source>&amp;Seconds added to the race time:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Reason:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Penalty...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Disqualify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Join with next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Void</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Restore lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Race</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best consecutive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> laps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lap rules...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rank by</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Laps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Un&amp;disqualify</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Penalty for %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Next suspect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;History</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Suspect laps: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disqualify %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Provisional</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changed since issue %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Official (issue %1, %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Official (issue %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The issues could not be read from the club database (%1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Issue %1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Issue %1 in the club database is damaged; it is left out.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::frmScoreboard</name>
    <message>
        <source>Official (issue %1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Changed since issue %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Provisional</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Race time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best %1 consecutive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best lap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scoreboard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No. %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best lap %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Laps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No laps yet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DSQ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave &amp;full screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Full screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Standings page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last round: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::frmSheet</name>
    <message>
        <source>No driver has laps, so there are no results to print.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Results Sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The results as ranked now, on one A4 page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pre&amp;view...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save P&amp;DF...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printed %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No printer is installed. Preview and Save PDF still work.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF file (*.pdf)|*.pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Results Sheet Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Results</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::frmSlips</name>
    <message>
        <source>Slips</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drivers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;All drivers with laps</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Selected in Results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paper</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A&amp;4, one driver per page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A4, &amp;four drivers per page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Receipt, 80 mm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pre&amp;view...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save P&amp;DF...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No driver has laps, so there is no slip to make.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No printer is installed. Preview and Save PDF still work.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF file (*.pdf)|*.pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Slips Preview</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::frmStampa</name>
    <message>
        <source>Tick Session data or Times to print.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::frmStart</name>
    <message>
        <source>Timing System 1.0</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>orvex::frmTest</name>
    <message>
        <source>Erase every lap stored in the device?
This cannot be undone.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
