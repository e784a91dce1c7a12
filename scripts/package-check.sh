#!/usr/bin/env bash
# The Debian package, checked as a user gets it (CI calls this after the
# tests; it needs the build of scripts/setup.sh in build/ and root or sudo):
#  1. builds astroplate_<version>_amd64.deb (cmake --build build --target package)
#     and lists its files and size;
#  2. lintian (no error allowed; warnings are shown), desktop-file-validate,
#     appstreamcli validate;
#  3. installs it with apt-get, runs the installed platesolve on the installed
#     sample, and starts the installed program offscreen with a fresh home
#     folder on a copy of sample.pam: the user's folder must be seeded, the
#     sample read from it, and nothing written under /usr; .pam files must
#     have their file type and open with the program's menu entry;
#  4. removes the package again, also when a step failed.
# It refuses to run when a package named astroplate is installed already.
set -euo pipefail
cd "$(dirname "$0")/.."
SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO="sudo"
apt_get() { $SUDO env DEBIAN_FRONTEND=noninteractive apt-get "$@"; }

cmake --build build -j"$(nproc)" --target package
deb=$(ls -t build/astroplate_*_amd64.deb | head -n 1)
echo "== $deb: $(du -k "$deb" | cut -f1) kB, installed $(dpkg-deb -f "$deb" Installed-Size) kB"
dpkg-deb -f "$deb" Depends Recommends Suggests
dpkg-deb -c "$deb" | awk '{ print $3, $6 }'

echo "== lintian"
lintian --fail-on error --tag-display-limit 0 --display-info "$deb"
echo "== desktop entry and AppStream metadata"
desktop-file-validate data/desktop/org.astroplate.Astroplate.desktop
appstreamcli validate --no-net build/package/org.astroplate.Astroplate.metainfo.xml

if dpkg-query -W -f='${Status}' astroplate 2>/dev/null | grep -q "install ok installed"; then
  echo "astroplate is installed on this machine already: not replacing it" >&2
  exit 1
fi
work=$(mktemp -d)
cleanup() {
  apt_get remove -y --purge astroplate >/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
echo "== installing"
apt_get install -y --no-install-recommends "$PWD/$deb"
stamp="$work/stamp"
touch "$stamp"
sleep 1

echo "== the installed platesolve on the installed sample"
export HOME="$work/home"
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME
mkdir -p "$HOME/Desktop"
/usr/bin/platesolve --image /usr/share/astroplate/sample.png \
  --catalogue /usr/share/astroplate/cat/data224712.2583142811.5 \
  --corrasd 833.27 --corrdec 1575.63 --tolerance 20.5 --auto --refine >"$work/solve.json"
python3 - "$work/solve.json" <<'PY'
import json, sys
out = json.load(open(sys.argv[1]))
refined = out.get("refined")
assert out["candidates"], "no candidate"
assert refined and refined["stars_used"] >= 20 and refined["rms_px"] < 1.0, refined
print(f"{len(out['candidates'])} candidate(s), refined plate on {refined['stars_used']} stars, "
      f"rms {refined['rms_px']:.2f} px")
PY

echo "== the installed program, fresh home folder"
user="$HOME/.local/share/astroplate"
# platesolve has seeded the folder already; the program must keep what is there.
cp "$user/lang-en.cfg" "$user/lang.cfg" # the first start's language choice, made
printf '; changed by the user\n' >>"$user/sites.cfg"
cp /usr/share/astroplate/sample.pam "$HOME/Desktop/sample.pam"
rm "$user/sample.png" # copied again at the start
set +e
QT_QPA_PLATFORM=offscreen timeout 15 strace -f -qq -e trace=openat,creat,rename,unlink \
  -o "$work/trace" /usr/bin/astroplate "$HOME/Desktop/sample.pam" >"$work/run.log" 2>&1
rc=$?
set -e
cat "$work/run.log"
# Still running when the time was up (124): it started and did not crash.
[ $rc -eq 124 ] || { echo "astroplate ended with status $rc" >&2; exit 1; }
grep -q '; changed by the user' "$user/sites.cfg" || { echo "sites.cfg replaced" >&2; exit 1; }
for f in sample.png defaut.cfg config.cfg asteroids.dat deepobj1.txt aide-en.html \
         translations/astroplate_fr.qm cat/data224712.2583142811.5; do
  [ -f "$user/$f" ] || { echo "not seeded: $f" >&2; exit 1; }
done
grep -q "openat(.*\"$HOME/Desktop/sample.pam\", O_RDONLY" "$work/trace" ||
  { echo "sample.pam was not read" >&2; exit 1; }
grep -q "openat(.*\"$user/sample.png\", O_RDONLY" "$work/trace" ||
  { echo "the sample image was not read from the user's folder" >&2; exit 1; }
if grep -E '"/usr/[^"]*", [^)]*(O_WRONLY|O_RDWR|O_CREAT)' "$work/trace" | grep -v '^.*= -1 '; then
  echo "written under /usr" >&2; exit 1
fi
# The file type of .pam files, and the menu entry that opens them.
grep -q ':application/x-astroplate-reduction:\*\.pam$' /usr/share/mime/globs2 ||
  { echo "the .pam file type is not registered" >&2; exit 1; }
grep -q '^application/x-astroplate-reduction=.*org.astroplate.Astroplate.desktop' \
  /usr/share/applications/mimeinfo.cache ||
  { echo "no menu entry opens .pam files" >&2; exit 1; }
changed=$(find /usr/share/astroplate /usr/bin/astroplate /usr/bin/platesolve -newer "$stamp")
[ -z "$changed" ] || { echo "changed under /usr: $changed" >&2; exit 1; }
echo "== package check passed"
