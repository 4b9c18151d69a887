#!/usr/bin/env bash
# Builds both Debian packages from a build folder and checks what they hold: the files a
# desktop, a software centre, man and the shells look for, valid desktop data, a program
# that runs from the unpacked tree, man pages without warnings, and completions that
# offer every option the help names.
#   packageTest.sh BUILD-FOLDER
set -euo pipefail
build=$(realpath "$1")
if ! command -v dpkg-deb >/dev/null || ! command -v dpkg-shlibdeps >/dev/null; then
    echo "dpkg-deb or dpkg-shlibdeps is missing: the packages are not tested"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" ||
    { cat "$work/cpack.log" >&2; exit 1; }
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")/\1/p' "$build/CPackConfig.cmake")

# package:path that must be in it
expected=(
    plotweave:/usr/bin/plotweave
    plotweave:/usr/share/applications/org.plotweave.Plotweave.desktop
    plotweave:/usr/share/metainfo/org.plotweave.Plotweave.metainfo.xml
    plotweave:/usr/share/icons/hicolor/scalable/apps/org.plotweave.Plotweave.svg
    plotweave:/usr/share/mime/packages/org.plotweave.Plotweave.xml
    plotweave:/usr/share/man/man1/plotweave.1.gz
    plotweave:/usr/share/plotweave/translations/plotweave_de.qm
    plotweave:/usr/share/doc/plotweave/copyright
    plotweave:/usr/share/doc/plotweave/changelog.Debian.gz
    plotweave-cli:/usr/bin/plotweave-cli
    plotweave-cli:/usr/libexec/plotweave/plotweave-cli-movie
    plotweave-cli:/usr/share/man/man1/plotweave-cli.1.gz
    plotweave-cli:/usr/share/bash-completion/completions/plotweave-cli
    plotweave-cli:/usr/share/zsh/vendor-completions/_plotweave-cli
    plotweave-cli:/usr/share/doc/plotweave-cli/copyright
    plotweave-cli:/usr/share/doc/plotweave-cli/changelog.Debian.gz
)
for package in plotweave plotweave-cli; do
    deb=$(echo "$work"/out/"${package}"_*.deb)
    [[ -f $deb ]] || { fail "no package $package"; continue; }
    dpkg-deb -c "$deb" | awk '{print substr($6, 2)}' >"$work/$package.list"
    # The other package's files must not leak into this one.
    for entry in "${expected[@]}"; do
        path=${entry#*:}
        if [[ ${entry%%:*} == "$package" ]]; then
            grep -qxF "$path" "$work/$package.list" || fail "$package lacks $path"
        elif grep -qxF "$path" "$work/$package.list"; then
            fail "$package holds $path"
        fi
    done
    depends=$(dpkg-deb -f "$deb" Depends)
    [[ $depends == *libqt6core6* ]] || fail "$package: no computed dependencies ($depends)"
    dpkg-deb -x "$deb" "$work/root"
done

root=$work/root
desktop-file-validate "$root/usr/share/applications/org.plotweave.Plotweave.desktop" ||
    fail "desktop entry"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.plotweave.Plotweave.metainfo.xml" \
    >"$work/appstream.log" || { cat "$work/appstream.log" >&2; fail "metainfo"; }
[[ $("$root/usr/bin/plotweave-cli" --version) == "plotweave-cli $version" ]] ||
    fail "plotweave-cli --version from the package"
# The unpacked command line finds its movie helper in libexec.
"$root/usr/bin/plotweave-cli" movie --help | grep -q -- --k-range || fail "movie --help"

for page in plotweave plotweave-cli; do
    MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" >"$work/$page.txt" \
        2>"$work/$page.warnings" || fail "man $page"
    [[ -s $work/$page.warnings ]] && fail "man $page warns: $(cat "$work/$page.warnings")"
    grep -q '^NAME' "$work/$page.txt" || fail "man $page has no NAME section"
done
# Every command's help is in the page, options included.
for option in --k-range --draw-mode --font-size --tree; do
    grep -q -- "$option" "$work/plotweave-cli.txt" || fail "man plotweave-cli lacks $option"
done

# Completion: run the completion function as bash would for a command line.
bashCompletion=/usr/share/bash-completion/bash_completion
if [[ -f $bashCompletion ]]; then
    mkdir "$work/files"
    touch "$work"/files/{set.plw,graph.png,graph.svg,graph.txt,film.mov,film.gif}
    completions() { # LINE: the words typed so far, the last one being completed
        (
            set +euo pipefail
            cd "$work/files"
            source "$bashCompletion"
            source "$root/usr/share/bash-completion/completions/plotweave-cli"
            read -ra COMP_WORDS <<<"$1"
            [[ $1 == *" " ]] && COMP_WORDS+=("")
            COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
            COMP_LINE=$1 COMP_POINT=${#1}
            _plotweave_cli
            printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
        )
    }
    # typed line | what must be offered, all of it and nothing else
    while IFS='|' read -r line offered; do
        [[ $(completions "$line") == "$offered" ]] ||
            fail "completion of '$line': '$(completions "$line")', expected '$offered'"
    done <<'EOF'
plotweave-cli ren|render 
plotweave-cli render -o |graph.png graph.svg 
plotweave-cli movie -o |film.gif film.mov 
plotweave-cli new -o |set.plw 
plotweave-cli show |set.plw 
plotweave-cli render --draw-mode |0 1 2 3 
plotweave-cli help ty|type typeset 
EOF
    # Every option a command's help names is offered after "-".
    # Every option a command's help names is offered after "-", except those it says the
    # command does not take ("except --k").
    for command in type new show render geometry typeset movie; do
        offered=" $(completions "plotweave-cli $command -")"
        help=$("$root/usr/bin/plotweave-cli" help "$command")
        excepted=" $( (grep -oE 'except --[a-z-]+' <<<"$help" || true) | cut -c8- | tr '\n' ' ')"
        for option in $(grep -oE '(^| |\[)(--[a-z-]+|-o)' <<<"$help" | tr -d ' [' | sort -u); do
            if [[ $excepted == *" $option "* ]]; then
                [[ $offered != *" $option "* ]] || fail "completion of $command offers $option"
            elif [[ $offered != *" $option "* ]]; then
                fail "completion of $command lacks $option"
            fi
        done
    done
else
    echo "bash-completion is missing: the completion is not run"
fi

((failures == 0)) || exit 1
echo "both packages hold what they should"
