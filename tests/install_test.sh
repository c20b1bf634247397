#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Zembrel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks what a desktop gets from Zembrel, either installed from the build
# into a fresh prefix or unpacked from the .deb that CPack builds: the two
# programs and nothing else, the menu entry, the software-centre entry and
# the icon at every size, each valid and all naming one another.
#
# The .deb must also satisfy lintian, pedantic: no error, no warning, and no
# sign of a build without Debian's hardening flags.
#
#   install_test.sh install CMAKE BUILD_DIR VERSION APP_ID "ICON_SIZE..."
#   install_test.sh package PACKAGE_SCRIPT PACKAGE_BUILD_DIR VERSION APP_ID "ICON_SIZE..."
set -euo pipefail

mode=$1 tool=$2 build=$3 version=$4 app_id=$5
read -ra icon_sizes <<<"$6"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The control fields a user's apt reads: the Qt libraries and a CJK font
# among the dependencies, so that a fresh machine gets a working window.
check_control() {
    local deb=$1
    [ "$(dpkg-deb -f "$deb" Package)" = zembrel ] || fail "package name"
    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
    [ "$(dpkg-deb -f "$deb" Section)" = math ] || fail "section"
    [ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
    homepage=$(dpkg-deb -f "$deb" Homepage)
    [[ $homepage == https://* ]] || fail "no https home page: '$homepage'"
    [ -n "$(dpkg-deb -f "$deb" Description)" ] || fail "no description"
    local depends recommends
    depends=", $(dpkg-deb -f "$deb" Depends),"
    for dependency in libqt6widgets6 libqt6gui6 libqt6core6 fonts-noto-cjk qt6-translations-l10n; do
        [[ $depends == *", $dependency"[\ ,]* ]] || fail "Depends lacks $dependency: $depends"
    done
    recommends=", $(dpkg-deb -f "$deb" Recommends),"
    for recommendation in fonts-arphic-uming qt6-wayland; do
        [[ $recommends == *", $recommendation"[\ ,]* ]] || fail "Recommends lacks $recommendation: $recommends"
    done
}

check_tree() {
    local prefix=$1
    local desktop=$prefix/share/applications/$app_id.desktop
    local metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
    local icons=$prefix/share/icons/hicolor

    local expected actual size operations pngs=()
    for size in "${icon_sizes[@]}"; do
        pngs+=("share/icons/hicolor/${size}x$size/apps/$app_id.png")
    done
    # The program opens its operations from where it says, seen from its folder.
    operations=$(strings -e l "$prefix/bin/zembrel" | grep -m 1 '^\.\./.*/zembrel-operations\.so$') ||
        fail "bin/zembrel names no library of operations"
    operations=$(realpath -m --relative-to="$prefix" "$prefix/bin/$operations")
    expected=$(printf '%s\n' bin/zembrel bin/zembrel-driver "$operations" \
        "share/applications/$app_id.desktop" "share/metainfo/$app_id.metainfo.xml" "${pngs[@]}" \
        "share/icons/hicolor/scalable/apps/$app_id.svg" \
        share/man/man1/zembrel.1.gz share/man/man1/zembrel-driver.1.gz \
        share/doc/zembrel/copyright share/doc/zembrel/changelog.gz | sort)
    actual=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
    [ "$actual" = "$expected" ] || fail "installed files differ:$(diff <(echo "$expected") <(echo "$actual") || true)"
    for program in zembrel zembrel-driver; do
        [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
    done
    # The engine's libraries come with the operations, not with the start.
    if readelf -d "$prefix/bin/zembrel" | grep -E 'NEEDED.*lib(flint|gmp|mpfr|ntl)'; then
        fail "bin/zembrel maps the engine's libraries at start"
    fi
    readelf -d "$prefix/$operations" | grep -q 'NEEDED.*libflint' || fail "$operations does not link FLINT"

    # A PNG's width and height are the big-endian words at bytes 16 to 23.
    for size in "${icon_sizes[@]}"; do
        local dimensions
        dimensions=$(od -An -tu1 -j16 -N8 "$icons/${size}x$size/apps/$app_id.png" |
            awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 "x" $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }')
        [ "$dimensions" = "${size}x$size" ] || fail "the ${size}x$size icon is $dimensions"
    done
    grep -q '<svg' "$icons/scalable/apps/$app_id.svg" || fail "the scalable icon is no SVG"

    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the menu entry"
    # Nothing may be reported but two notes: Debian 12's appstream 0.16 does not
    # know AppStream 1.0's <developer> yet, and a reverse-DNS ID with a capital
    # (org.example.Zembrel, as desktop IDs have them) is pedantic's only remark.
    local report unexpected
    report=$(appstreamcli validate --no-net --pedantic "$metainfo") || fail "appstreamcli rejects the metainfo: $report"
    unexpected=$(grep -E '^[EWIP]: ' <<<"$report" |
        grep -vE '^I: [^ ]+ unknown-tag developer$|^P: [^ ]+ cid-contains-uppercase-letter ' || true)
    [ -z "$unexpected" ] || fail "appstreamcli reports: $unexpected"

    # The menu entry starts an installed program and shows the installed icon;
    # the software centre finds the menu entry through the metainfo.
    local exec
    exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [ -x "$prefix/bin/$exec" ] || fail "Exec=$exec is not an installed program"
    grep -qx "Icon=$app_id" "$desktop" || fail "the menu entry names another icon"
    grep -q "<id>$app_id</id>" "$metainfo" || fail "the metainfo has another id"
    [ -z "${homepage:-}" ] || grep -qF "<url type=\"homepage\">$homepage</url>" "$metainfo" ||
        fail "the metainfo names another home page than the package"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "the metainfo launches another menu entry"
    # A new version needs its release entry, newest first.
    local release
    release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
    [ "$release" = "$version" ] || fail "the newest release in the metainfo is '$release', not $version"

    # The installed driver runs on its own, away from the build tree.
    local output
    output=$(printf '%s\n' '["set","Text1","2"]' '["set","Text2","-4"]' '["click","Command1"]' |
        "$prefix/bin/zembrel-driver")
    grep -qxF '["text", "Text3", "2."]' <<<"$output" || fail "the installed driver answered: $output"
}

case $mode in
    install)
        "$tool" --install "$build" --prefix "$work/prefix" >/dev/null
        check_tree "$work/prefix"
        ;;
    package)
        deb=$("$tool" "$build" | tail -n 1)
        [ "$(basename "$deb")" = "zembrel_${version}_$(dpkg --print-architecture).deb" ] && [ -f "$deb" ] ||
            fail "the package build made no .deb for $version: '$deb'"
        check_control "$deb"
        report=$(lintian --pedantic --display-info --fail-on error,warning "$deb" 2>&1) || fail "lintian: $report"
        problems=$(grep -E '^[EW]: |hardening-' <<<"$report" || true)
        [ -z "$problems" ] || fail "lintian: $problems"
        dpkg-deb -x "$deb" "$work/root"
        check_tree "$work/root/usr"
        ;;
    *)
        fail "unknown mode $mode"
        ;;
esac
echo "$mode: all checks passed"
