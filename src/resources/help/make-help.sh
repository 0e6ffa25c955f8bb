#!/usr/bin/env bash
# Rebuilds lindavor.chm from the pages beside this script and the toolbar
# pictures they show. Needs chmcmd (Debian's fp-utils), which the program's
# build does not: the compiled file is kept in the repository.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
pictures="$here/../pictures"
command -v chmcmd >/dev/null || { echo "chmcmd not found (apt-get install fp-utils)" >&2; exit 1; }

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
cp "$here"/*.html "$here"/*.css "$here"/toc.hhc "$stage"/
mkdir "$stage/pictures"

# The project lists the pages; the pictures they show are added here, so a
# picture used on a page is never left out.
cp "$here/lindavor.hhp" "$stage/lindavor.hhp"
for picture in $(grep -oh 'src="pictures/[^"]*"' "$here"/*.html | sed 's/^src="pictures\///; s/"$//' | sort -u); do
  cp "$pictures/$picture" "$stage/pictures/$picture"
  printf 'pictures/%s\n' "$picture" >>"$stage/lindavor.hhp"
done

(cd "$stage" && chmcmd --no-html-scan lindavor.hhp >"$stage/chmcmd.log" 2>&1) || {
  cat "$stage/chmcmd.log" >&2
  exit 1
}
cp "$stage/lindavor.chm" "$here/lindavor.chm"
echo "wrote $here/lindavor.chm"
