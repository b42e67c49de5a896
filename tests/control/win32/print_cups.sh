#!/usr/bin/env bash
# Runs the control suite's printing tests (PrintCups*) against a PDF printer:
# starts a CUPS scheduler of its own (configuration, spool and socket in a
# fresh folder), adds the CUPS-PDF queue "KivoPDF" as the default printer,
# runs the tests under Wine with CUPS_SERVER pointing at it, and stops the
# scheduler by its process id. The PDFs land in the user's $HOME/PDF, where
# the tests read them back with pdfinfo, pdftotext and pdftoppm.
#   print_cups.sh TEST_EXE [GTEST_FILTER [REPORT_NAME]]
set -u
exe=$1
filter=${2:-PrintCups*}
report=${3:-test_print_cups}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
for tool in /usr/sbin/cupsd lpadmin pdfinfo pdftotext pdftoppm; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "print_cups: $tool is missing (scripts/setup installs cups, printer-driver-cups-pdf, poppler-utils)"
    exit 1
  fi
done

work=$(mktemp -d /tmp/kivo-cups.XXXXXX)
chmod 755 "$work"
mkdir -p "$work/root/ppd" "$work/spool/tmp" "$work/cache" "$work/state" "$work/log"
cat > "$work/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat > "$work/cups-files.conf" <<CONF
ServerRoot $work/root
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
User lp
Group lp
SystemGroup root
CONF

/usr/sbin/cupsd -f -c "$work/cupsd.conf" -s "$work/cups-files.conf" >"$work/log/stdout" 2>&1 &
cupsd_pid=$!
stop() {
  kill "$cupsd_pid" 2>/dev/null
  wait "$cupsd_pid" 2>/dev/null
  rm -rf "$work"
}
trap stop EXIT

export CUPS_SERVER="$work/cups.sock"
for _ in $(seq 50); do
  [ -S "$CUPS_SERVER" ] && break
  sleep 0.1
done
if ! lpadmin -p KivoPDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>"$work/log/lpadmin" ||
   ! lpadmin -d KivoPDF 2>>"$work/log/lpadmin"; then
  cat "$work/log/lpadmin" "$work/log/stdout"
  exit 1
fi

home=$(getent passwd "$(id -un)" | cut -d: -f6)
export KIVO_CUPS_PDF=1
export KIVO_PDF_DIR="${home:-$HOME}/PDF"
# The report is named after this ctest entry, beside the others.
if [[ "${GTEST_OUTPUT:-}" == xml:*/ ]]; then
  export GTEST_OUTPUT="${GTEST_OUTPUT}${report}.xml"
fi
"$root/scripts/wine-exec" "$exe" --gtest_filter="$filter"
