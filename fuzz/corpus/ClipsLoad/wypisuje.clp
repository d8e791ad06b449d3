(deffacts d (diagnoza-dla-roku 2014 "Zbyt wysoki poziom \"zapasow\""))
(defrule r (diagnoza-dla-roku ?r ?s)
   => (printout t "rok " ?r ": " ?s crlf) (printout wdisplay "lista" crlf) (facts) (ppdefrule r)
      (printout werror "uwaga" crlf))
