#!/bin/sh
# SPDX-License-Identifier: MIT
# The program as a blind reader uses it, with the real Orca screen reader: Orca runs before
# the program in a private session bus with its accessibility bus, and is driven by its own
# keys (flat review on the keypad); what it says is read from its debug log, one utterance a
# "SPEECH OUTPUT: '...'" line (no speech server is needed).
#
# usage: orca.sh PATH/TO/astrelo PATH/TO/catalogue/texts
# Skipped (see skip.sh) when a tool is missing, or when another Orca of this user runs.
set -u
program=$1
texts=$2

. "$(dirname "$0")/xsession.sh"

need orca script pgrep dbus-run-session dbus-send /usr/libexec/at-spi-bus-launcher
if [ -z "${INSIDE_DBUS:-}" ]; then
    export INSIDE_DBUS=1
    exec dbus-run-session -- "$0" "$@"
fi
x_session "$0" "$@"
work=$(mktemp -d)
# Orca runs as a child of script, in a terminal session of its own: it is ended first.
stop() {
    # shellcheck disable=SC2046
    [ -n "${orca:-}" ] && kill $(pgrep -P "$orca") 2>/dev/null
    kill "${app:-}" "${orca:-}" "${launcher:-}" 2>/dev/null
    no_other_orca
    x_stop_session
    rm -rf "$work"
}
trap stop EXIT

# Orca will not start while another Orca of the same user runs: waits (5 s at most) until
# none does.
no_other_orca() {
    for _ in $(seq 50); do
        pgrep -u "$(id -u)" -x orca >/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# What Orca has said so far, one utterance a line.
spoken() {
    grep -a "SPEECH OUTPUT: '" "$work/orca.log" 2>/dev/null | tr -d '\r' \
        | sed -E -e "s/^.*SPEECH OUTPUT: '//" -e "s/' ?\[?\{.*\$//"
}
# Fails the test; also from inside $(...), so it writes to standard error.
fail() {
    {
        echo "FAIL: $*"
        echo "--- the last words Orca said:"
        spoken | tail -n 30 | cut -c1-160
    } >&2
    exit 1
}
# Remembers how much has been said; await looks only at what is said after it.
mark() { said=$(spoken | wc -l); }
# Waits (10 s at most, or $2 seconds) until Orca says a line matching the extended regular
# expression, and prints the first such line.
await() {
    for _ in $(seq $((${2:-10} * 10))); do
        spoken | tail -n +$((said + 1)) | grep -E -m 1 -- "$1" && return 0
        sleep 0.1
    done
    return 1
}
# Waits (10 s at most) until Orca has said nothing new for half a second: what it says for a
# key (its echo of a modifier, the line the caret moved to) may come well after the key on a
# busy machine, after the mark of the next key.
hush() {
    last=-1
    for _ in $(seq 20); do
        now=$(spoken | wc -l)
        [ "$now" = "$last" ] && return 0
        last=$now
        sleep 0.5
    done
}
# Presses a key and prints the next thing Orca says; fails when Orca says nothing.
press() {
    mark
    xdotool key "$1"
    await . || fail "Orca said nothing after $1"
}
# Moves flat review with a key until Orca reads an item or line that matches.
review_to() {
    for _ in $(seq 40); do
        line=$(press "$1") || exit 1
        echo "$line" | grep -E -q -- "$2" && return 0
    done
    fail "flat review ($1) never reached \"$2\""
}
# Moves flat review to an item: from the top line by line to the first line that holds it,
# then word by word along that line, unless the item is the whole line.
review_item() {
    press Insert+KP_Home >/dev/null || exit 1
    review_to KP_Page_Up "$1"
    [ "$line" = "$1" ] && return 0
    line=$(press KP_Begin) || exit 1
    [ "$line" = "$1" ] || review_to KP_Right "^$1\$"
}
# Clicks the item flat review is on (KP /), once or $1 times in quick succession. The key is let go once Orca has made its click,
# as a person's key press lasts longer than that: a key let go at once reaches the program
# while Orca is still clicking, and Qt's report of it to the accessibility bus then holds
# Orca's click up for 3 s.
click_reviewed() {
    synthesized() { grep -a -c "EVENT SYNTHESIZER: Mouse coordinates" "$work/orca.log"; }
    for _ in $(seq "${1:-1}"); do
        before=$(synthesized)
        xdotool keydown KP_Divide
        for _ in $(seq 100); do
            [ "$(synthesized)" -ge $((before + 2)) ] && break
            sleep 0.05
        done
        xdotool keyup KP_Divide
    done
}
# The text of a catalogue text as one line, without its paragraph breaks.
text_of() { tr -s '\n' ' ' <"$texts/$1.txt"; }

# Orca will not start beside another Orca of the same user: the one skip that is no fault.
no_other_orca || skip "another Orca of this user is running, and Orca starts only once"
x_accessibility_bus || fail "the accessibility bus did not start"
# Orca's own words in English, its settings in an empty folder, no speech server: inside
# script its log goes to a terminal, so it is written line by line.
start_orca() {
    HOME=$work/home LANG=C.UTF-8 SPEECHD_CMD=/nonexistent SPEECHD_ADDRESS=unix_socket:$work/none \
        script -qfc "orca --disable braille --user-prefs $1 --debug-file=/dev/stdout" \
        "$work/orca.log" </dev/null >/dev/null 2>&1 &
    orca=$!
    said=0
    await '^Screen reader on' >/dev/null || fail "Orca did not start"
}
mkdir "$work/home"
start_orca "$work/home"

"$program" >"$work/stdout" 2>"$work/stderr" &
app=$!
# Start-up: the window's title, then the first line of text 10000 as it is shown, not the
# whole paragraph.
# The program's first start beside Orca is the slowest step on a busy machine.
await '^Astrelo - Beran' 30 >/dev/null || fail "the main window was not announced"
first=$(await '^Beran ') || fail "the first line of the text was not read"
first=${first%.}
case "$(text_of 10000)" in "$first"*) ;; *) fail "start-up read \"$first\", not the text's beginning" ;; esac
[ ${#first} -lt 200 ] || fail "start-up read ${#first} characters as one line"
echo "ok: start-up: \"$first\""

# Flat review to the thumbnail of Vodnář (the last line of the window), and its click: the
# choice is told in the words a topic gets, and flat review then reads the new sign's heading,
# not the old one's; the title command reads the new title.
press Insert+KP_Page_Up >/dev/null || exit 1
review_to KP_Left '^Vodnář$'
mark
click_reviewed
await '^Vodnář, Povaha' >/dev/null || fail "the new sign was not told as \"Vodnář, Povaha\""
line=$(press Insert+KP_Home) || exit 1
[ "$line" = "VODNÁŘ - AQUARIUS" ] || fail "flat review's top line after the choice is \"$line\""
hush
mark
xdotool key Insert+KP_Enter
await '^Astrelo - Vodnář$' >/dev/null || fail "the title command did not read the new title"
echo "ok: flat review and KP /: \"Vodnář, Povaha\", the new heading and the new title"

# Flat review to the topic Povolání, and its click.
review_item Povolání
mark
click_reviewed
await '^Vodnář, Povolání' >/dev/null || fail "the choice of Povolání was not announced"
echo "ok: flat review and KP /: \"Vodnář, Povolání\""

# At once Orca's click twice, where flat review has gone after the choice: the panel opens.
# Both clicks land on one point, and Orca, finding its pointer already there, clicks a third
# time at the middle of the text box a few milliseconds later; that click does not close it.
sleep 1
hush
mark
click_reviewed 2
await '^Nastavení textového okna otevřeno' >/dev/null \
    || fail "Orca's double KP / right after a choice did not open the panel"
third=""
grep -a -q "Mouse event possible failure" "$work/orca.log" && third=", and its third click left it open"
echo "ok: Orca's double KP / after a choice opened the panel$third"
sleep 1
hush
! spoken | tail -n +$((said + 1)) | grep -q 'zavřeno' || fail "the panel closed after it opened"
xdotool key Escape
await '^Nastavení textového okna zavřeno' >/dev/null || fail "Escape did not hide the panel"

# Down in the text box reads the next line of text 10105 as it is shown.
xdotool key ctrl+Home
hush
line=$(press Down) || exit 1
line=${line%.}
case "$(text_of 10105)" in "$line"*) fail "Down read the text's first line again" ;; *"$line"*) ;; *)
    fail "Down read \"$line\", which is not in text 10105" ;;
esac
[ ${#line} -lt 200 ] || fail "Down read ${#line} characters as one line"
echo "ok: Down: \"$line\""

# Orca alone opens the settings panel: flat review on a word of the text, and Orca's click twice
# in quick succession. Nothing but the opening is said (no "closed", no selected word), and
# flat review, read afresh, has the panel's caption and controls on lines of their own with the
# size.
press Insert+KP_Home >/dev/null || exit 1
review_to KP_Page_Up "^${line%% *} "
press KP_Begin >/dev/null || exit 1
mark
click_reviewed 2
await '^Nastavení textového okna otevřeno' >/dev/null || fail "the panel's opening was not announced"
hush
! spoken | tail -n +$((said + 1)) | grep -E -q 'zavřeno|selected' \
    || fail "opening the panel said more than its opening"
# The text's first line, above the panel, is still offered, and on a line of its own.
press Insert+KP_Home >/dev/null || exit 1
review_to KP_Page_Up "^$(text_of 10105 | cut -d ' ' -f 1-4) "
review_to KP_Page_Up '^Nastavení textového okna$'
review_to KP_Page_Up '^Zvětšit písmo o 1 bod$'
review_to KP_Page_Up '^Velikost písma 8 *$'
echo "ok: Orca's double KP / opened the panel; flat review reads the first line above it, and \"Velikost písma 8\" on its own line"

# A click on "Zvětšit písmo o 1 bod": the new size is said, and where-am-I, out of flat
# review, is back in the text.
review_item 'Zvětšit písmo o 1 bod'
mark
click_reviewed
await '^Velikost písma (9|10)' >/dev/null || fail "the new size was not said"
hush
size=$(spoken | tail -n +$((said + 1)) | grep -E '^Velikost písma' | tail -n 1)
size=${size%.}
# On a busy machine Orca may find its pointer not yet moved and click once more ("Mouse event
# possible failure") later than a hand could click again: then the size is rightly two points
# larger.
[ "$size" = "Velikost písma 9" ] || grep -a -q "Mouse event possible failure" "$work/orca.log" \
    || fail "one click made the size \"$size\""
# Flat review stays on the control, so a second KP / clicks it again; the line below it has the
# new size at once, as a GTK label's would.
line=$(press KP_Begin) || exit 1
case $line in Zvětšit*) ;; *) fail "flat review moved off the control after its click: \"$line\"" ;; esac
line=$(press KP_Page_Up) || exit 1
case $line in "$size"*) ;; *) fail "flat review read \"$line\" after the size became \"$size\"" ;; esac
press KP_Subtract >/dev/null || exit 1
hush
mark
xdotool key KP_Enter
line=$(await '^Vodnář, Povolání') || fail "where-am-I after a click in the panel did not name the text"
# The reader has chosen and opened the panel: the text box's hint has nothing left to tell.
hush
! spoken | tail -n +$((said + 1)) | grep -E -q 'Znamení jsou|dvojklik|Dvojklik' \
    || fail "where-am-I repeated the hint after the reader had used what it tells of"
echo "ok: flat review reads \"$size\" after the click; where-am-I: \"$line\", without the hint"
# The status-bar command still says where the reader is, not the last change.
hush
mark
xdotool key --delay 150 Insert+KP_Enter Insert+KP_Enter
await 'Vodnář, Povolání ?statusbar' >/dev/null \
    || fail "the status-bar command after a font change did not name the choice"
echo "ok: the status-bar command after a font change says \"Vodnář, Povolání\""

# Flat review to the topic icon, and its click: the about window is announced with its
# title line, where the screen reader's focus rests. Orca takes its own click in slowly; when the window is active by then, Orca's
# click handler moves into it without a word (and says so in its log). That race of Orca's own
# is run once more, from the main window.
open_about() {
    review_item 'O programu'
    mark
    click_reviewed
    await '^Astrelo v1.1. label' >/dev/null
}
if ! open_about; then
    grep -a -q 'to \[label | Astrelo v1.1.\]\. Notify: False' "$work/orca.log" \
        || fail "the about window was not announced"
    echo "note: Orca's click handler moved into the about window silently; once more"
    mark
    xdotool key alt+F4
    await '^Astrelo - Vodnář' >/dev/null || fail "the about window did not close"
    open_about || fail "the about window was not announced"
fi
# Then the credits and how the window closes, which no button in it shows.
await '^© 2007 Kelmo Software\. Vytvořil : Ondřej Mlejnek; mlejnek@kelmo\.cz\. Okno se zavře klávesou Escape' >/dev/null \
    || fail "the about window did not read its credits and tell how it closes"
# Flat review now reads the about window, from its top line.
line=$(press Insert+KP_Home) || exit 1
case $line in *"Ikona programu"* | *"Astrelo v1.1."*) ;; *) fail "flat review did not move into the about window" ;; esac
# An item read in it (Orca+KP 5) is the item alone, not the window's words before it.
line=$(press Insert+KP_Begin) || exit 1
case $line in *Kelmo*) fail "Orca+KP 5 in the about window said \"$line\"" ;; esac
# The title and status-bar commands answer in the about window too.
press KP_Subtract >/dev/null || exit 1
hush
mark
xdotool key Insert+KP_Enter
await '^O programu' >/dev/null || fail "the title command said nothing in the about window"
hush
mark
xdotool key --delay 150 Insert+KP_Enter Insert+KP_Enter
await 'Astrelo v1.1. ?statusbar' >/dev/null || fail "the status-bar command did not name the program"
echo "ok: Orca+KP 5, the title and the status-bar command in the about window"
! grep -a -q "bad content" "$work/orca.log" || fail "Orca was told of a new name without the name"

# Escape closes the about window, and Orca is back in the main window.
mark
xdotool key Escape
await '^Astrelo - Vodnář' >/dev/null || fail "Escape did not close the about window"
echo "ok: Escape closes the about window"

# Mouse review, in an Orca started anew with it on: over a control of the open panel, Orca
# says that control, not the text box beneath.
# shellcheck disable=SC2046
kill $(pgrep -P "$orca") "$orca" 2>/dev/null
no_other_orca || fail "Orca did not stop"
mkdir "$work/mouse"
echo '{"general": {"enableMouseReview": true}, "profiles": {"default": {"profile": ["Default", "default"]}}, "pronunciations": {}, "keybindings": {}}' \
    >"$work/mouse/user-settings.conf"
start_orca "$work/mouse"
wid=$(xdotool search --onlyvisible --name '^Astrelo - Vodnář$' | head -n 1)
# A double-click on the text with the panel open hides it and shows it again: nothing is told.
hush
mark
# shellcheck disable=SC2086
xdotool mousemove --window "$wid" $Text1 click --repeat 2 --delay 80 1
hush
! spoken | tail -n +$((said + 1)) | grep -E -q 'zavřeno|otevřeno' \
    || fail "a double-click with the panel open told of the panel"
mark
xdotool mousemove --window "$wid" 520 80 # the middle of "Zvětšit písmo o 1 bod"
await '^Zvětšit písmo o 1 bod' >/dev/null || fail "mouse review over the panel did not name its control"
# Over its caption the panel is named; over a blank part between its controls nothing is said,
# not the text the panel covers.
mark
xdotool mousemove --window "$wid" 520 55
await '^Nastavení textového okna' >/dev/null || fail "mouse review over the caption said nothing"
mark
xdotool mousemove --window "$wid" 520 140
hush
! spoken | tail -n +$((said + 1)) | grep -q 'read only text' \
    || fail "mouse review over a blank part of the panel read the text beneath"
# Over a face, the face and its state, not the panel's caption again.
mark
xdotool mousemove --window "$wid" 438 159 # "Arial"
await '^Arial' >/dev/null || fail "mouse review over the face Arial said nothing"
hush
! spoken | tail -n +$((said + 1)) | grep -q '^Nastavení textového okna' \
    || fail "mouse review over a face said the panel's caption again"
echo "ok: a double-click with the panel open tells nothing; mouse review names \"Zvětšit písmo o 1 bod\", the caption and a face, and nothing beneath the panel"
# Escape hides the panel, and Orca hears that it went; Orca hears the key itself too (it echoes
# it, and would stop its speech with it), as with any other key.
mark
xdotool key Escape
await '^Nastavení textového okna zavřeno' >/dev/null || fail "Escape did not hide the panel"
spoken | tail -n +$((said + 1)) | grep -q '^escape' || fail "Orca did not hear the Escape key"
echo "ok: Escape hides the panel, and Orca hears the key"
# With mouse review on, Orca's click on a sign after the pointer was last over another window
# (the about window, closed since by a key): the main window is named once, as Orca's pointer
# comes back into it, then the thumbnail and the choice; the new title is not said again.
# shellcheck disable=SC2086
xdotool mousemove --window "$wid" $Image13 click 1
await '^Astrelo v1.1.' >/dev/null || fail "the about window did not open"
about=$(xdotool search --onlyvisible --name '^O programu' | head -n 1)
xdotool mousemove --window "$about" 150 150
hush
xdotool key Escape
await '^Astrelo - Vodnář' >/dev/null || fail "Escape did not close the about window"
hush
press Insert+KP_Page_Up >/dev/null || exit 1
review_to KP_Left '^Beran$'
mark
click_reviewed
await '^Beran, Povolání' >/dev/null || fail "the new sign was not told as \"Beran, Povolání\""
hush
titles=$(spoken | tail -n +$((said + 1)) | grep -c '^Astrelo - ')
[ "$titles" -le 1 ] || fail "with mouse review on, a sign click named the window $titles times"
echo "ok: with mouse review on, a sign click names the window once at most"
echo "PASS: Orca hears the choices, reads by line, reaches the panel and the about window"
