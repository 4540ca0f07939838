#!/usr/bin/env python3
"""Makes the development texts of coverage_bench from Debian documentation packages.

Plain prose only: the paragraphs of the HTML manuals, without commands, file names, options,
code and URLs; a paragraph counts for a language only when its words say so (the Czech
translation of the handbook leaves some paragraphs in English). Needs debian-handbook,
aptitude-doc-cs and aptitude-doc-en installed; run it from anywhere:

    tools/bench/data/make-texts.py              # the samples kept here
    tools/bench/data/make-texts.py --all DIR    # every paragraph, for a larger check
"""
import glob
import html
import os
import random
import re
import sys
import textwrap

HERE = os.path.dirname(os.path.abspath(__file__))
HANDBOOK = '/usr/share/doc/debian-handbook/html/'
APTITUDE = '/usr/share/doc/aptitude/html/'
TECHNICAL = (r'(command|filename|literal|code|computeroutput|userinput|replaceable|option|'
             r'package|systemitem|varname|email|ulink|prompt|keycap|guimenu|parameter|function|'
             r'envar|screen|programlisting|uri)')
CZECH = set('a je se v na že to s z do i k o jako ale pro by jsou nebo jen který která které '
            'když také tak už jeho být jak při podle po své'.split())
ENGLISH = set('the and of to is in that it for as with this are be by on not or which can '
              'you'.split())


def paragraphs(page):
    page = re.sub(r'<pre.*?</pre>', ' ', page, flags=re.S)
    page = re.sub(r'<a[^>]*class="indexterm"[^>]*></a>', '', page)
    found = [m.group(2) for m in
             re.finditer(r'<(div|p) class="para"[^>]*>(.*?)</\1>', page, flags=re.S)]
    if not found:
        found = re.findall(r'<p>(.*?)</p>', page, flags=re.S)
    for text in found:
        for _ in range(3):
            text = re.sub(r'<(span|code|tt|em|a)[^>]*class="[^"]*' + TECHNICAL +
                          r'[^"]*"[^>]*>(?:(?!<\1).)*?</\1>', ' ', text, flags=re.S)
        text = re.sub(r'<(code|tt)[^>]*>.*?</\1>', ' ', text, flags=re.S)
        text = html.unescape(re.sub(r'<[^>]+>', '', text))
        text = re.sub(r'\s+', ' ', text).strip()
        if len(text) >= 60 and not re.search(r'https?:|www\.|[/\\{}<>=$|@]|--', text):
            yield text


def language(text):
    words = re.findall(r'\w+', text.lower())
    czech = sum(w in CZECH for w in words)
    english = sum(w in ENGLISH for w in words)
    if czech > 2 * english and re.search('[ěščřžýáíéůú]', text):
        return 'cs'
    return 'en' if english > 2 * czech else None


def prose(directory, lang):
    found = []
    for page in sorted(glob.glob(directory + '*.html')):
        with open(page, encoding='utf-8') as f:
            found += [p for p in paragraphs(f.read()) if language(p) == lang]
    return found


def write(path, texts):
    with open(path, 'w', encoding='utf-8') as f:
        f.write('\n\n'.join(textwrap.fill(t, 100) for t in texts) + '\n')


def sample(name, directory, lang, words):
    found = prose(directory, lang)
    random.Random(1).shuffle(found)
    kept, count = [], 0
    for text in found:
        if count >= words:
            break
        kept.append(text)
        count += len(text.split())
    write(os.path.join(HERE, name), kept)


SOURCES = [('handbook-cs.txt', HANDBOOK + 'cs-CZ/', 'cs', 3000),
           ('aptitude-cs.txt', APTITUDE + 'cs/', 'cs', 2000),
           ('handbook-en.txt', HANDBOOK + 'en-US/', 'en', 3000),
           ('aptitude-en.txt', APTITUDE + 'en/', 'en', 2000)]

if __name__ == '__main__':
    if len(sys.argv) == 3 and sys.argv[1] == '--all':
        for name, directory, lang, _ in SOURCES:
            write(os.path.join(sys.argv[2], 'all-' + name), prose(directory, lang))
    else:
        for source in SOURCES:
            sample(*source)
