#!/usr/bin/env bash
# Starts the CUPS scheduler when it is not running and sets up the PDF print queue that the
# print-queue test prints through: queue ZEFT_PDF on the cups-pdf backend, whose files arrive in
# /var/spool/cups-pdf-zeft (ZEFT_CUPS_QUEUE and ZEFT_CUPS_PDF_DIR override both; the test reads
# the same variables). Where CUPS or cups-pdf is missing, or there are no rights to start it,
# it says so and ends without error: the test then skips with the same explanation.
set -uo pipefail
# cupsd and lpadmin live in sbin, which an ordinary user's PATH often leaves out.
export PATH="$PATH:/usr/sbin:/sbin"
queue=${ZEFT_CUPS_QUEUE:-ZEFT_PDF}
out=${ZEFT_CUPS_PDF_DIR:-/var/spool/cups-pdf-zeft}
instance=zeft
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd

say() { echo "start-cups: $*"; }

if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null; then
    say "CUPS is not installed (packages cups, printer-driver-cups-pdf); no print queue"
    exit 0
fi
if [ ! -e /usr/lib/cups/backend/cups-pdf ] || [ ! -f "$ppd" ]; then
    say "the cups-pdf printer is not installed (package printer-driver-cups-pdf); no print queue"
    exit 0
fi
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    if ! sudo -n true 2>/dev/null; then
        say "setting up CUPS needs root or password-less sudo; no print queue"
        exit 0
    fi
    as_root=(sudo -n)
fi

if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    if [ -d /run/systemd/system ] && command -v systemctl >/dev/null; then
        "${as_root[@]}" systemctl start cups >/dev/null 2>&1
    fi
    if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
        # No service manager (a container, a CI runner): start the scheduler itself; it goes
        # into the background on its own.
        "${as_root[@]}" mkdir -p /run/cups
        "${as_root[@]}" cupsd
    fi
    for _ in $(seq 50); do
        lpstat -r 2>/dev/null | grep -q 'is running' && break
        sleep 0.2
    done
fi
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    say "the CUPS scheduler did not start; no print queue"
    exit 0
fi

# A cups-pdf instance of its own ("cups-pdf:/zeft" reads cups-pdf-zeft.conf), so the system's
# PDF printer keeps its settings. Label 1 puts the job number in front of the file name, so no
# job overwrites another.
if ! "${as_root[@]}" tee "/etc/cups/cups-pdf-$instance.conf" >/dev/null <<CONF
Out $out
AnonDirName $out
Label 1
CONF
then
    say "cannot write the settings of the PDF printer; no print queue"
    exit 0
fi
"${as_root[@]}" install -d -m 1777 "$out" || { say "cannot make $out; no print queue"; exit 0; }

if ! lpstat -p "$queue" >/dev/null 2>&1; then
    if ! "${as_root[@]}" lpadmin -p "$queue" -E -v "cups-pdf:/$instance" -P "$ppd" 2>/dev/null; then
        say "the print queue $queue could not be added"
        exit 0
    fi
fi
# cups-pdf takes PostScript; converting the program's PDF with cairo keeps the text readable.
if ! "${as_root[@]}" lpadmin -p "$queue" -o pdftops-renderer-default=pdftocairo ||
    ! "${as_root[@]}" cupsenable "$queue" || ! "${as_root[@]}" cupsaccept "$queue"; then
    # A queue that holds its jobs would only make the test wait; without it the test skips.
    "${as_root[@]}" lpadmin -x "$queue" 2>/dev/null
    say "the print queue $queue could not be enabled and was removed"
    exit 0
fi
say "print queue $queue is ready; its PDF files arrive in $out"
