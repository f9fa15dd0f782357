#!/usr/bin/env bash
# mapscout on a level file that is there but is not well-formed XML: one
# error line on stderr naming the file, the line at fault and the parser's
# reason; ogre.log keeps its line; the exit code fails.
set -u
RUN_DIR=$1
HERE=$(dirname "$0")
source "$HERE/xvfb_session.sh"
start_session
cd "$WORK"

# The copied run folder links media/levels to the sources: write into a folder of its own.
rm media/levels && mkdir media/levels
printf '<Level name="Broken">\n<Objects>\n<Object type="start"/>\n</Level>\n' > media/levels/broken_level.map
./mapscout broken_level.map >stdout.txt 2>stderr.txt
status=$?
[ "$status" -ne 0 ] || fail "a broken level ended with exit code 0"
[ "$(wc -l < stderr.txt)" -eq 1 ] || fail "expected one error line, got: $(cat stderr.txt)"
grep -q -F "broken_level.map:4: not well-formed XML (Error reading end tag.)" stderr.txt ||
  fail "the error line does not name the file, the line and the reason: $(cat stderr.txt)"
grep -q "nicht gefunden" stderr.txt && fail "the error line says the file cannot be found: $(cat stderr.txt)"
grep -q -F "broken_level.map: kann im Ordner media/levels/ nicht gefunden werden." ogre.log ||
  fail "ogre.log lost its line"
echo "PASS"
