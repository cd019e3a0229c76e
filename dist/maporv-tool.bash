# Bash completion of maporv-tool: its commands, each command's options, and file names
# by what each argument holds. The commands and their arguments are read from the
# tool's own help ("maporv-tool --help", "maporv-tool COMMAND --help"), so the
# completion knows every command the installed tool has.

# The words of a command's synopsis after the command's name, one per line.
_maporv_tool_synopsis() {
    local line words
    line=$("$1" "$2" --help 2> /dev/null | head -n 1)
    line=${line#Usage: maporv-tool }
    read -ra words <<< "$line"
    [ "${words[0]-}" = "$2" ] || return
    printf '%s\n' "${words[@]:1}"
}

# Adds the files whose extension is one of $2... (any case), and the folders to walk
# into, that start with $1.
_maporv_tool_files() {
    local cur=$1 name lower extension
    shift
    while IFS= read -r name; do
        lower=${name,,}
        for extension in "$@"; do
            if [ -d "$name" ] || [ "${lower%."$extension"}" != "$lower" ]; then
                COMPREPLY+=("$name")
                break
            fi
        done
    done < <(compgen -f -- "$cur")
}

# Completes $3 as the value that the synopsis of command $1 calls $2; $4 is the
# command's first positional argument.
_maporv_tool_value() {
    local command=$1 placeholder=$2 cur=$3
    placeholder=${placeholder#[}
    placeholder=${placeholder%%]*}
    compopt -o filenames 2> /dev/null || true
    # The output of a command that reads a map is a map.
    if [ "$placeholder" = OUTPUT ] && [ "$4" = MAPFILE ]; then
        placeholder=MAPFILE
    fi
    case "$command:$placeholder" in
        *:*\|*)
            # The literal choices; what is written in capitals is for the user to fill.
            compopt +o filenames 2> /dev/null || true
            local choice choices=()
            IFS='|' read -ra choices <<< "$placeholder"
            for choice in "${choices[@]}"; do
                [[ $choice == *[A-Z]* || $choice != "$cur"* ]] || COMPREPLY+=("$choice")
            done
            ;;
        *:MAPFILE | copy:INPUT | copy:OUTPUT)
            _maporv_tool_files "$cur" map
            ;;
        *:NAMESFILE | names:OUTPUT) _maporv_tool_files "$cur" txt ;;
        picture:INPUT) _maporv_tool_files "$cur" s16 shp bmp png jpg jpeg gif tif tiff webp ;;
        render:INPUT) _maporv_tool_files "$cur" map s16 shp bmp ;;
        *:[A-Z]*.[a-zA-Z]*)
            # OTHER.MAP: the files of that extension, whatever its case.
            local extension=${placeholder##*.}
            _maporv_tool_files "$cur" "${extension,,}"
            ;;
        *:FOLDER) mapfile -t COMPREPLY < <(compgen -d -- "$cur") ;;
        *:*FILE | *:INPUT | *:OUTPUT | *:PREFIX)
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
            ;;
        *) compopt +o filenames 2> /dev/null || true ;;
    esac
}

_maporv_tool() {
    local tool=$1 cur=${COMP_WORDS[COMP_CWORD]}
    COMPREPLY=()
    if [ "$COMP_CWORD" -eq 1 ]; then
        local commands
        commands=$("$tool" --help 2> /dev/null |
            sed -n '/^Commands:/,/^$/s/^  \([^ ]*\).*/\1/p')
        mapfile -t COMPREPLY < <(compgen -W "$commands --help --version" -- "$cur")
        return
    fi

    local command=${COMP_WORDS[1]} synopsis
    mapfile -t synopsis < <(_maporv_tool_synopsis "$tool" "$command")

    # The synopsis as positional placeholders and options; an option written without
    # its closing bracket ("[--sort name|number|both]", "-o OUTPUT") takes the next
    # word as its value, unless that word is an option itself ("[--fix [-o OUTPUT]]").
    local positional=() options=() values=() word option=
    for word in "${synopsis[@]}"; do
        if [ -n "$option" ] && [[ $word != -* && $word != \[* ]]; then
            values+=("$option=$word")
            option=
            continue
        fi
        option=
        if [[ $word == -* || $word == \[-* ]]; then
            word=${word#[}
            options+=("${word%%]*}")
            [[ $word == *"]" ]] || option=$word
        else
            positional+=("$word")
        fi
    done

    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "${options[*]} --help" -- "$cur")
        return
    fi

    # The word under the cursor is the value of the option before it, or the next
    # positional argument.
    local i count=0 pair value
    for ((i = 2; i < COMP_CWORD; i++)); do
        value=
        for pair in "${values[@]}"; do
            [ "${pair%%=*}" = "${COMP_WORDS[i]}" ] && value=${pair#*=}
        done
        if [ -n "$value" ]; then
            if [ $((i + 1)) -eq "$COMP_CWORD" ]; then
                _maporv_tool_value "$command" "$value" "$cur" "${positional[0]-}"
                return
            fi
            i=$((i + 1))
        elif [[ ${COMP_WORDS[i]} != -* ]]; then
            count=$((count + 1))
        fi
    done
    if [ "$count" -lt "${#positional[@]}" ]; then
        _maporv_tool_value "$command" "${positional[count]}" "$cur" "${positional[0]-}"
    fi
}

complete -F _maporv_tool maporv-tool
