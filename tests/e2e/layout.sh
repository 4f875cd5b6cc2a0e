# Sourced by the e2e drivers: copies the program and its configuration into a fresh
# directory laid out as the build is (binary beside data/), removed again on exit.
make_layout() {
    local binary=$1 config=$2
    work=$(mktemp -d "${TMPDIR:-/tmp}/qm-e2e.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    cp "$binary" "$work/quillmark"
    mkdir -p "$work/data"
    cp "$config" "$work/data/config.txt"
}

fail() {
    echo "FAIL: $*"
    for f in "$work/stderr.txt" "$work/data/debug.txt"; do
        [ -f "$f" ] && { echo "--- $f"; cat "$f"; }
    done
    exit 1
}
