# Prints the name of every command a bash script runs, one a line: the first word of
# each simple command, including those in $(...), <(...), subshells and here-documents
# (ours feed code to bash). Words that are variables or paths (./prog, "$root/...")
# and the script's own functions are left out; builtins are left to the caller.
# Not seen: code in strings (bash -c '...', trap '...'), backquotes, eval.
# Usage: awk -f commands.awk SCRIPT
#
# The text is read a character at a time through a stack of contexts: c command code
# (the script, $(...), a subshell, an array's items), d double quotes, p ${...},
# a arithmetic. Per command context: pos, the next word is a command; pat, in a case
# pattern; skip, words to pass over; wd and inw, the word so far. Quoted and expanded
# text goes into the word of the command context around it ("$" marks an expansion).
{ text = text $0 "\n" }

function push(t) {
    type[++d] = t; depth[d] = 0
    if (t != "c") { cd[d] = cd[d - 1]; return }
    cd[d] = d; pos[d] = 1; wd[d] = ""
    pat[d] = hdr[d] = lvl[d] = skip[d] = fn[d] = arr[d] = inw[d] = 0; wrap[d] = ""
}
function pop() { if (type[d] == "c") endword(); d--; if (d) add("$") }
function add(ch) { wd[cd[d]] = wd[cd[d]] ch; inw[cd[d]] = 1 }
function assignment(w) { return w ~ /^[A-Za-z_][A-Za-z0-9_]*(\[[^]]*\])?\+?=/ }

# A whole word of command code at depth d.
function endword(   w) {
    w = wd[d]; wd[d] = ""
    if (!inw[d]) return
    inw[d] = 0
    if (arr[d]) return
    if (hd == "-") { hd = w; return }               # the delimiter after <<
    if (pat[d]) { if (w == "esac") { pat[d] = 0; lvl[d]--; pos[d] = 0 }; return }
    if (skip[d]) { skip[d]--; return }              # redirection target, option argument
    if (hdr[d]) { if (w == "in") { hdr[d] = 0; pat[d] = 1; lvl[d]++ }; return }
    if (fn[d]) { fn[d] = 0; funcs[w] = 1; pos[d] = 1; return }
    if (wrap[d] != "") {                            # options and arguments of env, timeout, ...
        if (w ~ /^-/) { if (w ~ wrapargs[wrap[d]]) skip[d] = 1; return }
        if (wrap[d] == "env" && (assignment(w) || w ~ /^\$/)) return  # VAR=value, or an array of them
        if (wrapn[d]-- > 0) return
        wrap[d] = ""; pos[d] = 1
    }
    if (!pos[d]) return
    if (assignment(w)) return
    if (w ~ /^(if|then|else|elif|do|while|until|!|\{|time)$/) return
    pos[d] = 0
    if (w == "case") { hdr[d] = 1; return }
    if (w == "esac") { lvl[d]--; return }
    if (w == "function") { fn[d] = 1; return }
    if (w ~ /^\$[A-Za-z_]+$|^\$\{[A-Za-z_]+\}$/) { pos[d] = 1; return }  # e.g. $sudo: the command follows
    if (w ~ /[$\/]/) return
    if (w in wrapargs) { wrap[d] = w; wrapn[d] = (w == "timeout") }
    used[w] = 1
}

BEGIN {
    # commands that run another command; the options that take an argument
    wrapargs["exec"] = "^-a$"; wrapargs["command"] = "^-$"; wrapargs["nice"] = "^-n$"
    wrapargs["env"] = "^-[uCS]$"; wrapargs["timeout"] = "^-[sk]$"; wrapargs["sudo"] = "^-[ugpCDhrt]$"
    wrapargs["xvfb-run"] = "^-[efnpsw]$"; wrapargs["nohup"] = "^-$"; wrapargs["setsid"] = "^-$"
}

END {
    push("c"); n = length(text); hd = ""; body = ""
    for (i = 1; i <= n; i++) {
        if (body != "" && (i == 1 || substr(text, i - 1, 1) == "\n")) {
            e = index(substr(text, i), "\n")
            if (substr(text, i, e - 1) == body) { body = ""; i += e - 1; continue }
        }
        ch = substr(text, i, 1); nx = substr(text, i + 1, 1); t = type[d]
        if (t == "a") {                             # $(( )) and (( )): no commands
            if (ch == "(") depth[d]++
            else if (ch == ")") { if (depth[d]) depth[d]--; else if (nx == ")") { i++; d-- } }
            continue
        }
        if (ch == "\\") { if (nx != "\n") add(nx); i++; continue }
        if (ch == "$") {
            if (substr(text, i, 3) == "$((") { add("$"); push("a"); i += 2; continue }
            if (nx == "(") { add("$"); push("c"); i++; continue }
            if (nx == "{") { add("$"); push("p"); i++; continue }
            add("$"); continue
        }
        if (t == "d") { if (ch == "\"") d--; else add(ch); continue }
        if (ch == "'") { e = index(substr(text, i + 1), "'"); add(substr(text, i + 1, e - 1)); i += e; continue }
        if (ch == "\"") { inw[cd[d]] = 1; push("d"); continue }
        if (t == "p") { if (ch == "}") d--; else add(ch); continue }

        # command code
        if (ch == "#" && !inw[d]) { i += index(substr(text, i), "\n") - 2; continue }
        if (ch == " " || ch == "\t") { endword(); continue }
        if (ch == "\n") { endword(); if (!arr[d] && !pat[d]) pos[d] = 1; wrap[d] = ""; if (hd != "" && hd != "-") { body = hd; hd = "" }; continue }
        if (ch == "[" && nx == "[" && !inw[d] && pos[d]) { i += index(substr(text, i), "]]") ; pos[d] = 0; continue }
        if (ch == ";") {
            endword()
            if (nx == ";" || nx == "&") { i++; if (substr(text, i + 1, 1) == "&") i++; if (lvl[d]) pat[d] = 1 }
            else pos[d] = 1
            wrap[d] = ""; continue
        }
        if (ch == "|" && pat[d]) { endword(); continue }
        if (ch == "|" || (ch == "&" && nx != ">")) { endword(); if (nx == "|" || nx == "&") i++; pos[d] = 1; wrap[d] = ""; continue }
        if (ch == "<" || ch == ">" || ch == "&") {
            if (wd[d] ~ /^[0-9]+$/) { wd[d] = ""; inw[d] = 0 } else endword()
            if ((ch == "<" || ch == ">") && nx == "(") { add("$"); push("c"); i++; continue }
            op = ch
            while (substr(text, i + 1, 1) ~ /[<>&|-]/) op = op substr(text, ++i, 1)
            if (op ~ /^<<-?$/) hd = "-"; else skip[d]++
            continue
        }
        if (ch == "(") {
            if (nx == "(" && !inw[d]) { push("a"); i++; continue }
            if (assignment(wd[d])) { add("("); push("c"); arr[d] = 1; continue }
            if (pat[d]) continue
            if (nx == ")") { if (inw[d]) { funcs[wd[d]] = 1; wd[d] = ""; inw[d] = 0 }; i++; pos[d] = 1; continue }
            endword(); pos[d] = 0; push("c"); continue
        }
        if (ch == ")") {
            if (pat[d]) { endword(); pat[d] = 0; pos[d] = 1; continue }
            if (d > 1) pop()
            continue
        }
        add(ch)
    }
    endword()
    for (w in used) if (!(w in funcs)) print w
}
