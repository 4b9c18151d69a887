# bash completion for plotweave-cli                                  -*- shell-script -*-

_plotweave_cli() {
    local cur prev words cword
    _init_completion || return

    local commands="type new show render geometry typeset movie help"
    local graph="--eq --eq-file --keys --color --const --size --region --grid --fit --draw-mode
        --divisions --rotation --t-range --s-range --theta-range --color-by-height"

    if ((cword == 1)); then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi
    local command=${words[1]}

    # The values options take: file names by the command's formats, fixed choices, or
    # nothing to offer (numbers, colours, equations).
    case $prev in
        -o)
            case $command in
                new) _filedir plw ;;
                render) _filedir '@(png|svg|pdf|tif|tiff)' ;;
                typeset) _filedir '@(png|pdf)' ;;
                movie) _filedir '@(mov|mp4|gif)' ;;
            esac
            return
            ;;
        --draw-mode)
            COMPREPLY=($(compgen -W "0 1 2 3" -- "$cur"))
            return
            ;;
        --grid)
            COMPREPLY=($(compgen -W "auto" -- "$cur"))
            return
            ;;
        --color-by-height)
            COMPREPLY=($(compgen -W "on off" -- "$cur"))
            return
            ;;
        --eq-file)
            _filedir
            return
            ;;
        --quality)
            COMPREPLY=($(compgen -W "0 1 2 4 6" -- "$cur"))
            return
            ;;
        --eq | --color | --const | --size | --k | --region | --divisions | --rotation | \
            --t-range | --s-range | --theta-range | --scale | --font-size | --k-range | --steps | --fps)
            return
            ;;
    esac

    local options
    case $command in
        help)
            ((cword == 2)) && COMPREPLY=($(compgen -W "${commands% help}" -- "$cur"))
            return
            ;;
        type) options="--tree --text --const" ;;
        new) options="-o --color --keys --eq --eq-file" ;;
        show) options="" ;;
        render) options="-o $graph --k --scale --legend" ;;
        geometry) options="$graph --k --labels --points" ;;
        typeset) options="-o --keys --font-size --scale" ;;
        movie) options="-o $graph --k-range --steps --quality --fps --quiet" ;;
        *) return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
    else
        case $command in
            show | render | geometry | movie) _filedir plw ;;
        esac
    fi
} &&
    complete -F _plotweave_cli plotweave-cli
