#!/bin/sh
# Demo model DEMO-4 firmware 2.41: placeholder for setaapp.cgi, CGI program setaapp.cgi of the alarm application.
# Part of the Kor Manager demo data; it does no real work on the simulated camera.
printf 'Content-Type: text/plain\r\n\r\n'
